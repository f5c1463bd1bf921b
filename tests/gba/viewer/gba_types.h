/* What the exported files expect from the program that compiles them in. */
#ifndef GBA_TYPES_H
#define GBA_TYPES_H

typedef unsigned short u16;
typedef unsigned int u32;

#define ALIGN4 __attribute__((aligned(4)))

/* One line of the exported entity list: type, facing, x and y. */
typedef struct {
  int type;
  int facing;
  int x;
  int y;
} TEnemyList;

#endif
