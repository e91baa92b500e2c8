// Proof that every shipped hole can be played: the headless stroke simulator's search holes
// out within par + 2 strokes, and no stroke from the start (a fan of aims at soft, middle and
// full power) runs into the stroke time limit (a timeout) without coming to rest.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "course/course_catalogue.h"
#include "course/hole_map.h"
#include "course/world_theme.h"
#include "play/ball_physics.h"
#include "play/play_state.h"
#include "play/stroke_simulation.h"
#include "render/sea.h"
#include "tests/support/scratch_dir.h"

namespace {

constexpr int kFanAims = 24;
constexpr float kFanPowers[] = {3.0f, 7.0f, 12.0f};
constexpr unsigned kSearchSeed = 1;

// The hole as a player finds it: freshly loaded, calm sea, the ball settled on the start.
void startHole(int hole) {
  holeNumber = hole;
  loadHoleMap();
  seaPhase = 0;
  waveAmplitude = 0.05f;
  std::srand(kSearchSeed);
  settleBall();
}

class CourseProof : public ::testing::TestWithParam<int> {
 protected:
  // The generated game tree as it ships, images and models too: without a window the loaders
  // read the worlds' grids and objects and upload nothing.
  void SetUp() override {
    here = std::make_unique<ScopedWorkingDirectory>(QUILLMOOR_BINARY_DIR);
    buildCourseCatalogue();
    ASSERT_GT(catalogue.worldCount, GetParam());
    catalogue.currentWorld = GetParam();
    loadWorldTheme();
  }
  std::unique_ptr<ScopedWorkingDirectory> here;
};

}  // namespace

TEST_P(CourseProof, EveryHoleIsHoledWithinParPlusTwoAndEveryStrokeFromTheStartComesToRest) {
  for (int hole = 1; hole <= kHolesPerCourse; ++hole) {
    SCOPED_TRACE(std::string(catalogue.worldNames[GetParam()].data()) + " hole " + std::to_string(hole));
    startHole(hole);
    const BallVector start = ball.position;
    for (int a = 0; a < kFanAims; ++a)
      for (float power : kFanPowers) {
        ball.position = start;
        ball.velocity = {};
        const StrokeOutcome o = simulateStroke(a * 360.0f / kFanAims, power);
        EXPECT_NE(o.result, StrokeTimedOut) << "aim " << o.aim << " power " << power << " never comes to rest";
      }

    startHole(hole);
    const int par = holeSetup.par;
    const StrokeSequence found = searchStrokes(par + 2, kSearchSeed);
    EXPECT_TRUE(found.holed) << "no way found to hole out in par " << par << " + 2 strokes";
    std::printf("[ proof    ] %s hole %d: par %d, search %d strokes%s\n", catalogue.worldNames[GetParam()].data(),
                hole, par, found.count, found.holed ? "" : " (not holed)");
  }
}

INSTANTIATE_TEST_SUITE_P(ShippedWorlds, CourseProof, ::testing::Range(0, 5));
