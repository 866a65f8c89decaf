/* vantrel.h: the 68HC11 simulator control for any C or C++ host.
 *
 * The control executes one 68HC11 instruction per vantrel_step() call. It owns
 * no memory: every data byte the instruction reads or writes is passed to the
 * host's callbacks, one call per byte, in the order the instruction accesses it.
 *
 *     static uint8_t memory[65536];
 *     static void on_read(void *user, int32_t address, int16_t *value) { *value = memory[address]; }
 *     static void on_write(void *user, int32_t address, int16_t value) { memory[address] = (uint8_t)value; }
 *
 *     VantrelCtrl *ctrl = vantrel_create();
 *     vantrel_set_events(ctrl, on_read, on_write, NULL);
 *     int16_t a = 0, b = 0, ccr = 0xD0;
 *     int32_t x = 0, y = 0, sp = 0x00FF;
 *     vantrel_step(ctrl, &a, &b, &x, &y, &sp, &ccr, 0xB6, 0x10, 0x00, 0, 0);   // LDAA $1000
 *     vantrel_destroy(ctrl);
 *
 * The host keeps the program counter and advances it itself. on_read receives
 * *value preset to the low 16 bits of the computed address; the low byte of
 * what it leaves there is the byte read. Addresses above $FFFF arrive as 0.
 */
#ifndef VANTREL_H
#define VANTREL_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct VantrelCtrl VantrelCtrl;
typedef void (*VantrelReadMemoryFn)(void* user, int32_t address, int16_t* value);
typedef void (*VantrelWriteMemoryFn)(void* user, int32_t address, int16_t value);
VantrelCtrl* vantrel_create(void);
void vantrel_destroy(VantrelCtrl* ctrl);
void vantrel_set_events(VantrelCtrl* ctrl, VantrelReadMemoryFn on_read, VantrelWriteMemoryFn on_write,
                        void* user);
void vantrel_step(VantrelCtrl* ctrl, int16_t* acca, int16_t* accb, int32_t* ix, int32_t* iy, int32_t* sp,
                  int16_t* ccr, int16_t instr1, int16_t instr2, int16_t instr3, int16_t instr4,
                  int16_t instr5);
const char* vantrel_about(void);

#ifdef __cplusplus
}
#endif

#endif /* VANTREL_H */
