#pragma once

// The renderer compiles against the OpenGL 1.1 and GLU headers only; the
// program that links it chooses the library (the editor the system GL,
// tests and qarto-cli render OSMesa).
#include <GL/gl.h>
#include <GL/glu.h>
