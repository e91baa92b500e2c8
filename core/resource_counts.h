// What the game holds from the GL and OpenAL drivers, and its resident memory, counted from the
// drivers' side: a name that some owner forgot to delete is counted although no table of the
// game remembers it. A scripted run prints the counts with its "resources" action; a long run
// that keeps returning to the same screen must print the same counts each time.
#pragma once

struct ResourceCounts {
  long residentKib = 0;  // resident set of the process
  long heapKib = 0;      // allocated from the C heap and not yet freed
  int textures = 0;
  int displayLists = 0;
  int soundBuffers = 0;  // 0 without a sound device
  int soundSources = 0;
};

// Needs the current GL context; sound is counted when OpenAL has a current context.
ResourceCounts countResources();

// One line on standard output:
// "resources: frame F screen N resident K KiB heap H KiB textures T display-lists L
// sound-buffers B sound-sources S", N being the screen state.
void printResourceCounts(long frame);
