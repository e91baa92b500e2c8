// The generated data tree: every image the game's resource sets, theme load
// and model materials ask for exists under build/data (by the loader's own
// rule: the extension asked for does not matter, .jpg then .png then .tga is
// tried), decodes, has alpha where it is drawn with alpha, and fits where the
// screens place it.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

const std::string kData = std::string(QUILLMOOR_BINARY_DIR) + "/data/";

struct Picture {
    int width = 0, height = 0;
    int bytesPerPixel = 0;
};

// The image a request resolves to, as the game's loader finds it.
std::string resolve(const std::string &request)
{
    const std::string stem = request.substr(0, request.size() - 4);
    for (const char *ext : {".jpg", ".png", ".tga"})
        if (std::filesystem::exists(kData + stem + ext)) return kData + stem + ext;
    return {};
}

bool decode(const std::string &request, Picture &out)
{
    const std::string path = resolve(request);
    if (path.empty()) return false;
    SDL_Surface *s = IMG_Load(path.c_str());
    if (!s) return false;
    out.width = s->w;
    out.height = s->h;
    out.bytesPerPixel = s->format->BytesPerPixel;
    SDL_FreeSurface(s);
    return true;
}

std::vector<std::string> glyphFiles()
{
    std::vector<std::string> files;
    for (char c = 'a'; c <= 'z'; ++c) files.push_back(std::string("lettre/") + c + ".tga");
    for (char c = '0'; c <= '9'; ++c) files.push_back(std::string("lettre/") + c + ".tga");
    for (const char *n : {"moin", "plus", "infer", "super", "egal", "excla", "poin", "eacc", "volumeA", "volumeB",
                          "gau", "droi", "etoile", "ball", "key", "tot"})
        files.push_back(std::string("lettre/") + n + ".tga");
    return files;
}

// Every image path the game asks for, from its resource sets, its theme load
// and its hole load, with whether it is drawn with alpha.
struct Wanted {
    std::string path;
    bool alpha;
};

std::vector<Wanted> everyImage()
{
    std::vector<Wanted> all;
    for (const std::string &g : glyphFiles()) all.push_back({g, true});
    for (const char *n : {"lettre/button.tga", "lettre/bar.tga", "lettre/lin.tga"}) all.push_back({n, true});
    for (const char *n : {"menu/arc.tga", "menu/bar.tga", "menu/logo.tga", "menu/vorpel.tga", "menu/groupe1.tga",
                          "menu/groupe2.tga", "menu/groupe3.tga", "menu/groupescore1.tga", "menu/coupe.tga",
                          "menu/logosdl.png", "menu/pop.tga", "menu/poli.tga", "menu/bargame.png",
                          "particles/fumee.tga", "particles/10.tga", "particles/eau.tga", "floor/sea-effect.tga"})
        all.push_back({n, true});
    for (const char *n : {"sky/fonbleu.tga", "sky/fonrouge.tga", "sky/shine.tex", "floor/shadow.tga",
                          "floor/vague.tga", "floor/blank.tga"})
        all.push_back({n, false});
    for (int i = 1; i <= 15; ++i) all.push_back({"perso/" + std::to_string(i) + ".tga", true});
    for (int i = 1; i <= 4; ++i) all.push_back({"interfacejeu/view" + std::to_string(i) + ".tga", true});
    for (int i = 1; i <= 13; ++i) all.push_back({"interfacejeu/" + std::to_string(i) + ".tga", true});
    return all;
}

}  // namespace

TEST(ContentImages, EveryImageTheGameAsksForDecodesWithItsAlphaAtPowerOfTwoSides)
{
    // Sprites go to glTexImage2D as they are: drivers of the OpenGL 1.x era refuse sides that
    // are not powers of two.
    auto powerOfTwo = [](int n) { return n > 0 && (n & (n - 1)) == 0; };
    for (const Wanted &w : everyImage()) {
        SCOPED_TRACE(w.path);
        Picture p;
        ASSERT_TRUE(decode(w.path, p)) << "missing or undecodable";
        EXPECT_TRUE(powerOfTwo(p.width) && powerOfTwo(p.height)) << p.width << " x " << p.height;
        if (w.alpha) EXPECT_EQ(p.bytesPerPixel, 4) << "drawn with alpha but decodes without it";
        else EXPECT_GE(p.bytesPerPixel, 3);
    }
}

TEST(ContentImages, PicturesFitWhereTheScreensPlaceThem)
{
    Picture p;
    // Scorecard rules hang down from their top-left corner: tall and thin.
    for (const char *rule : {"lettre/bar.tga", "lettre/lin.tga"}) {
        ASSERT_TRUE(decode(rule, p)) << rule;
        EXPECT_GE(p.height, 100) << rule;
        EXPECT_LE(p.width, 8) << rule;
    }
    // The button plate must be wider than a short word.
    ASSERT_TRUE(decode("lettre/button.tga", p));
    EXPECT_GE(p.width, 100);
    EXPECT_LE(p.height, 40);
    // View icons are drawn from 74 pixels left of the right edge.
    for (int i = 1; i <= 4; ++i) {
        ASSERT_TRUE(decode("interfacejeu/view" + std::to_string(i) + ".tga", p));
        EXPECT_LE(p.width, 74);
    }
    // Portraits: the full-size click box is 128 pixels square.
    for (int i = 1; i <= 15; ++i) {
        ASSERT_TRUE(decode("perso/" + std::to_string(i) + ".tga", p));
        EXPECT_EQ(p.width, 128);
        EXPECT_EQ(p.height, 128);
    }
    // The logo sits centred in a title panel at most 400 wide, 170 from the left.
    ASSERT_TRUE(decode("menu/logo.tga", p));
    EXPECT_LE(p.width, 340);
    // The library badge is centred 42 pixels from the bottom-right corner.
    ASSERT_TRUE(decode("menu/logosdl.png", p));
    EXPECT_LE(p.width, 84);
    EXPECT_LE(p.height, 84);
}
