// The title menu: five items over a slowly orbiting view of the current hole.
#pragma once

// Title menu items.
enum TitleItem : int {
  TitlePlay = 1,
  TitleTraining = 2,
  TitleHighScores = 3,
  TitleOptions = 4,
  TitleQuit = 5,
};

// Width of the menu strip for a screen this wide: half the screen, at most 400.
int titlePanelWidth(int width);

// The x of the item column (items are centred on it).
int titleItemColumn(int width);

// What a click on a title item does.
void chooseTitleItem(int item);

// One frame of the title menu.
void runTitleMenu();
