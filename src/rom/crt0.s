@ Start-up code of the map player: the cartridge header, stacks, .data and
@ .bss, then main(). Needs no BIOS routine.

    .section .header, "ax"
    .arm
    .global _start
_start:
    b       reset               @ the loader wants an ARM branch here (byte 3 = 0xEA)
    .fill   156, 1, 0           @ logo: left blank, see docs/map-player.md
    .ascii  "QARTO MAP\0\0\0"   @ title, 12 bytes
    .ascii  "QRTO"              @ game code
    .ascii  "QO"                @ maker code
    .byte   0x96, 0, 0          @ fixed value, main unit, device type
    .fill   7, 1, 0             @ reserved
    .byte   0                   @ version
    .byte   0                   @ header checksum: the editor fills it in with the map
    .fill   2, 1, 0             @ reserved

    .text
    .arm
reset:
    mov     r0, #0x12           @ IRQ mode: its own small stack
    msr     cpsr_c, r0
    ldr     sp, =0x03007FA0
    mov     r0, #0x1F           @ System mode for the program
    msr     cpsr_c, r0
    ldr     sp, =0x03007F00

    ldr     r0, =__data_lma     @ copy initialised data from ROM to IWRAM
    ldr     r1, =__data_start
    ldr     r2, =__data_end
1:  cmp     r1, r2
    ldrlo   r3, [r0], #4
    strlo   r3, [r1], #4
    blo     1b

    ldr     r1, =__bss_start    @ clear .bss
    ldr     r2, =__bss_end
    mov     r3, #0
2:  cmp     r1, r2
    strlo   r3, [r1], #4
    blo     2b

    ldr     r0, =main
    mov     lr, pc
    bx      r0
3:  b       3b                  @ main never returns; stay put if it does

    .pool
