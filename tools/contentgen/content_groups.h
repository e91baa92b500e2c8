// The groups of the data tree that the generator makes. Each group writes its
// own files and nothing else, so the build can regenerate one group when only
// its sources changed. Adding art: write a function here, list it in
// main.cpp's group table and in tools/contentgen/CMakeLists.txt.
#pragma once

void generateGlyphs();         // lettre/: letters, digits, signs, pictures
void generateMenuImages();     // menu/ and sky/: logos, pictures, panels, backgrounds
void generatePlayIcons();      // interfacejeu/: view icons, power gauge
void generatePortraits();      // perso/: the fifteen golfers
void generateEffectImages();   // particles/ and floor/
void generateSharedModels();   // object/, objectedit/, their textures/, default skies
void generateSounds();         // sounds/: the thirteen samples
void generateWorlds();         // levels/level<N>.vorpel, the worlds' floors, objects, textures
void generateHoles();          // levels/<hole>-<name>.map and the course pictures, from content/holes/
// music/<name>.ogg from content/music/<name>.tune
void generateMusic(const char *trackName);
// icons/hicolor/<size>/apps/quillmoor.png, the program's icon; written outside the data tree
void generateDesktopIcons();
