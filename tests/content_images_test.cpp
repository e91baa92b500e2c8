// The generated data tree: every image the game's resource sets, theme load
// and model materials ask for exists under build/data (by the loader's own
// rule: the extension asked for does not matter, .jpg then .png then .tga is
// tried), decodes, has alpha where it is drawn with alpha, and suits the
// way it is drawn.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string kData = std::string(QUILLMOOR_BINARY_DIR) + "/data/";

struct Picture {
    int width = 0, height = 0;
    int bytesPerPixel = 0;
    std::vector<unsigned char> rgba;  // always 4 bytes a pixel
    const unsigned char *at(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
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
    out.rgba.resize(static_cast<size_t>(s->w) * s->h * 4);
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            const unsigned char *p = static_cast<unsigned char *>(s->pixels) + y * s->pitch + x * out.bytesPerPixel;
            Uint32 v = 0;
            for (int b = 0; b < out.bytesPerPixel; ++b) v |= static_cast<Uint32>(p[b]) << (8 * b);
            unsigned char *d = &out.rgba[(static_cast<size_t>(y) * s->w + x) * 4];
            SDL_GetRGBA(v, s->format, &d[0], &d[1], &d[2], &d[3]);
        }
    SDL_UnlockSurface(s);
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

// Rows and columns that hold any visible pixel.
void inkBounds(const Picture &p, int &width, int &height)
{
    int x0 = p.width, x1 = -1, y0 = p.height, y1 = -1;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.at(x, y)[3] > 16) {
                x0 = std::min(x0, x); x1 = std::max(x1, x);
                y0 = std::min(y0, y); y1 = std::max(y1, y);
            }
    width = std::max(0, x1 - x0 + 1);
    height = std::max(0, y1 - y0 + 1);
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

TEST(ContentImages, GlyphsAreWhiteInkWithADarkRimOnATransparentGround)
{
    for (const std::string &g : glyphFiles()) {
        SCOPED_TRACE(g);
        Picture p;
        ASSERT_TRUE(decode(g, p));
        // Sized for the 20-pixel pen: a cell or a little more, never a wall.
        EXPECT_GE(p.width, 20);
        EXPECT_LE(p.width, 40);
        EXPECT_GE(p.height, 20);
        EXPECT_LE(p.height, 40);
        for (int corner = 0; corner < 4; ++corner)
            EXPECT_EQ(p.at(corner % 2 ? p.width - 1 : 0, corner / 2 ? p.height - 1 : 0)[3], 0) << "corner " << corner;
        int opaqueDark = 0, opaque = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                const unsigned char *c = p.at(x, y);
                if (c[3] < 250) continue;
                ++opaque;
                if (c[0] < 90 && c[1] < 90 && c[2] < 120) ++opaqueDark;
            }
        EXPECT_GT(opaque, 20) << "strokes are not opaque";
        EXPECT_GT(opaqueDark, 10) << "no dark rim to read over a light sky";
    }
    // Letters themselves are white so that tints colour them truly.
    for (char c : std::string("aemx0")) {
        Picture p;
        ASSERT_TRUE(decode(std::string("lettre/") + c + ".tga", p));
        int white = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                if (p.at(x, y)[3] == 255 && p.at(x, y)[0] > 220 && p.at(x, y)[1] > 220 && p.at(x, y)[2] > 220) ++white;
        EXPECT_GT(white, 15) << c;
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

TEST(ContentImages, PowerGaugeGrowsWithEveryStepAndFitsItsCorner)
{
    int previous = 0;
    for (int k = 1; k <= 13; ++k) {
        Picture p;
        ASSERT_TRUE(decode("interfacejeu/" + std::to_string(k) + ".tga", p));
        EXPECT_LE(p.width, 140) << k;  // centred 70 pixels from the corner
        int w = 0, h = 0;
        inkBounds(p, w, h);
        EXPECT_GT(w, previous) << "step " << k << " is not larger than the one before";
        previous = w;
    }
}

TEST(ContentImages, PortraitsAreAllDifferent)
{
    std::set<std::vector<unsigned char>> seen;
    for (int i = 1; i <= 15; ++i) {
        Picture p;
        ASSERT_TRUE(decode("perso/" + std::to_string(i) + ".tga", p));
        EXPECT_TRUE(seen.insert(p.rgba).second) << "portrait " << i << " repeats another";
    }
}

TEST(ContentImages, ParticlesFadeToNothingAtTheirEdges)
{
    for (const char *n : {"particles/fumee.tga", "particles/10.tga", "particles/eau.tga"}) {
        Picture p;
        ASSERT_TRUE(decode(n, p)) << n;
        int maxEdge = 0, maxInside = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                const int a = p.at(x, y)[3];
                if (x == 0 || y == 0 || x == p.width - 1 || y == p.height - 1) maxEdge = std::max(maxEdge, a);
                else maxInside = std::max(maxInside, a);
            }
        EXPECT_LE(maxEdge, 8) << n << ": the quad's square edge would show";
        EXPECT_GE(maxInside, 128) << n << ": nearly invisible";
    }
}

TEST(ContentImages, SeaTextureRepeatsWithoutASeam)
{
    Picture p;
    ASSERT_TRUE(decode("floor/sea-effect.tga", p));
    // The jump from the last column to the first must look like any other
    // step between neighbouring columns (likewise rows).
    auto step = [&](int x0, int y0, int x1, int y1) {
        double s = 0;
        for (int c = 0; c < 4; ++c) s += std::abs(int(p.at(x0, y0)[c]) - int(p.at(x1, y1)[c]));
        return s;
    };
    // Compare like with like: the seam across x against steps across x in
    // the middle of the image, the seam across y against steps across y.
    double insideX = 0, insideY = 0, seamX = 0, seamY = 0;
    for (int i = 0; i < p.height; ++i) {
        seamX += step(p.width - 1, i, 0, i);
        insideX += step(p.width / 2 - 1, i, p.width / 2, i);
    }
    for (int i = 0; i < p.width; ++i) {
        seamY += step(i, p.height - 1, i, 0);
        insideY += step(i, p.height / 2 - 1, i, p.height / 2);
    }
    EXPECT_LT(seamX, insideX * 2.0 + p.height);
    EXPECT_LT(seamY, insideY * 2.0 + p.width);
}
