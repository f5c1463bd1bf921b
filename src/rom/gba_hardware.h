/* The GBA registers and memory the player touches. */
#ifndef QARTO_GBA_HARDWARE_H
#define QARTO_GBA_HARDWARE_H

#include <stdint.h>

#define REG_DISPCNT (*(volatile uint16_t*)0x04000000)
#define REG_VCOUNT (*(volatile uint16_t*)0x04000006)
#define REG_BGCNT(n) (*(volatile uint16_t*)(0x04000008 + 2 * (n)))
#define REG_BGHOFS(n) (*(volatile uint16_t*)(0x04000010 + 4 * (n)))
#define REG_BGVOFS(n) (*(volatile uint16_t*)(0x04000012 + 4 * (n)))
#define REG_KEYINPUT (*(volatile uint16_t*)0x04000130)
#define REG_WAITCNT (*(volatile uint16_t*)0x04000204)

#define BG_PALETTE ((volatile uint16_t*)0x05000000)
#define VRAM ((volatile uint16_t*)0x06000000)

#define DISPCNT_FORCED_BLANK 0x0080
#define DISPCNT_BG0 0x0100

#define CHAR_BLOCK_HALFWORDS 0x2000
#define SCREEN_BLOCK_HALFWORDS 0x400
#define FIRST_SCREEN_BLOCK 28
#define TILE_HALFWORDS 16

#define KEY_B 0x0002
#define KEY_RIGHT 0x0010
#define KEY_LEFT 0x0020
#define KEY_UP 0x0040
#define KEY_DOWN 0x0080

#endif
