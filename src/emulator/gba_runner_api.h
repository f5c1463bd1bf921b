/* The emulator module's interface: a plain C surface, so that the programs
   load the module (and libmgba behind it) with dlopen only when a map is
   played, and a module of another build is refused by its version. */
#ifndef QARTO_GBA_RUNNER_API_H
#define QARTO_GBA_RUNNER_API_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define QARTO_GBA_RUNNER_ABI 1
#define QARTO_GBA_SCREEN_WIDTH 240
#define QARTO_GBA_SCREEN_HEIGHT 160

/* The GBA's key bits, as the key input register numbers them (1 = held). */
#define QARTO_GBA_KEY_A 0x001u
#define QARTO_GBA_KEY_B 0x002u
#define QARTO_GBA_KEY_SELECT 0x004u
#define QARTO_GBA_KEY_START 0x008u
#define QARTO_GBA_KEY_RIGHT 0x010u
#define QARTO_GBA_KEY_LEFT 0x020u
#define QARTO_GBA_KEY_UP 0x040u
#define QARTO_GBA_KEY_DOWN 0x080u
#define QARTO_GBA_KEY_R 0x100u
#define QARTO_GBA_KEY_L 0x200u

typedef struct QartoGbaRunner QartoGbaRunner;

/* QARTO_GBA_RUNNER_ABI of the module. */
typedef int (*QartoGbaRunnerAbiFn)(void);
/* A console with the ROM (copied) inserted and reset, no BIOS file and no
   user configuration; null with the reason in `error` when it cannot start. */
typedef QartoGbaRunner* (*QartoGbaRunnerCreateFn)(const uint8_t* rom, size_t size, char* error, size_t errorSize);
typedef void (*QartoGbaRunnerDestroyFn)(QartoGbaRunner* runner);
/* The keys held from the next frame on. */
typedef void (*QartoGbaRunnerSetKeysFn)(QartoGbaRunner* runner, uint32_t keys);
/* Runs the console up to the end of its next frame. */
typedef void (*QartoGbaRunnerRunFrameFn)(QartoGbaRunner* runner);
/* The last frame: 240 x 160 pixels, rows from the top, 0x00BBGGRR. */
typedef const uint32_t* (*QartoGbaRunnerFrameFn)(QartoGbaRunner* runner);
/* A 32-bit word of the console's memory. */
typedef uint32_t (*QartoGbaRunnerRead32Fn)(QartoGbaRunner* runner, uint32_t address);

#ifdef __cplusplus
}
#endif

#endif
