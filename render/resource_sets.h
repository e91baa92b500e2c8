// The three fixed sets of interface images, textures and samples. Each is a straight list of
// loads into the named slots of Sprites, GameTextures and the sample table; since every image
// goes through the texture registry, running a set again only costs lookups for what is loaded.
#pragma once

// The letters, digits, signs and small widgets of glyph text (Sprites 100..157). Run after
// every release of all textures.
void loadGlyphSet();

// Menu strips, logos, the random menu picture, player portraits, trophy and the whoosh sample;
// then a random hole 1..17 of the current world is loaded to stand behind the title menu.
void loadMenuSet();

// GL state, camera start and light colours, the world theme and its models, the play icons,
// the particle and display textures and the thirteen samples.
void loadGameSet();
