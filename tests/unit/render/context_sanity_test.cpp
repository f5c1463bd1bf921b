#include <gtest/gtest.h>

#include <string>

#include "offscreen/offscreen_context.h"
#include "render/gl/gl_api.h"

namespace qarto::test {
namespace {

// A program that links the system GL before OSMesa gets a context that
// draws nothing and reports no error: prove the context is the software one
// and really takes state.
TEST(OffscreenContextTest, IsTheSoftwareRendererAndKeepsAMatrix) {
  OffscreenContext context;
  std::string message;
  ASSERT_TRUE(context.create(64, 32, message)) << message;
  const std::string renderer = context.renderer();
  EXPECT_TRUE(renderer.find("llvmpipe") != std::string::npos || renderer.find("softpipe") != std::string::npos)
      << renderer;

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(0.0, 64.0, 32.0, 0.0);
  GLfloat m[16] = {};
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  EXPECT_FLOAT_EQ(m[0], 2.0f / 64.0f);
  EXPECT_FLOAT_EQ(m[5], -2.0f / 32.0f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace qarto::test
