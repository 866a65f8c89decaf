/* The C interface of the simulator control, used from plain C: create, set the
 * event callbacks with a user pointer, step instructions, fall back to the
 * default behaviour with NULL callbacks, read the about text, destroy.
 * Exits with 0 when every check passes, 1 otherwise. */
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include "vantrel.h"

static int failures = 0;

#define CHECK_EQ(actual, expected)                                                                           \
    do {                                                                                                     \
        long actual_ = (long)(actual), expected_ = (long)(expected);                                         \
        if (actual_ != expected_) {                                                                          \
            fprintf(stderr, "%s:%d: %s == %ld, expected %s == %ld\n", __FILE__, __LINE__, #actual, actual_,  \
                    #expected, expected_);                                                                   \
            ++failures;                                                                                      \
        }                                                                                                    \
    } while (0)

enum { kMaxEvents = 16 };

struct Host {
    uint8_t memory[65536];
    char kinds[kMaxEvents];
    int32_t addresses[kMaxEvents];
    int values[kMaxEvents];
    int count;
};

static void record(struct Host* host, char kind, int32_t address, int value) {
    if (host->count < kMaxEvents) {
        host->kinds[host->count] = kind;
        host->addresses[host->count] = address;
        host->values[host->count] = value;
    }
    ++host->count;
}

static void on_read(void* user, int32_t address, int16_t* value) {
    struct Host* host = (struct Host*)user;
    record(host, 'R', address, 0);
    *value = host->memory[address & 0xFFFF];
}

static void on_write(void* user, int32_t address, int16_t value) {
    struct Host* host = (struct Host*)user;
    record(host, 'W', address, value);
    host->memory[address & 0xFFFF] = (uint8_t)value;
}

static struct Host host;

int main(void) {
    VantrelCtrl* ctrl = vantrel_create();
    if (ctrl == NULL) {
        fprintf(stderr, "vantrel_create returned NULL\n");
        return 1;
    }
    memset(&host, 0, sizeof host);
    vantrel_set_events(ctrl, on_read, on_write, &host);

    int16_t a = 0, b = 0, ccr = 0;
    int32_t x = 0, y = 0, sp = 0x00FF;

    /* LDAA $1000 */
    host.memory[0x1000] = 0x41;
    vantrel_step(ctrl, &a, &b, &x, &y, &sp, &ccr, 0xB6, 0x10, 0x00, 0, 0);
    CHECK_EQ(a, 0x41);
    CHECK_EQ(host.count, 1);
    CHECK_EQ(host.kinds[0], 'R');
    CHECK_EQ(host.addresses[0], 0x1000);

    /* LDX #$1234, then STX $2000: high byte first */
    host.count = 0;
    vantrel_step(ctrl, &a, &b, &x, &y, &sp, &ccr, 0xCE, 0x12, 0x34, 0, 0);
    CHECK_EQ(x, 0x1234);
    CHECK_EQ(host.count, 0);
    vantrel_step(ctrl, &a, &b, &x, &y, &sp, &ccr, 0xFF, 0x20, 0x00, 0, 0);
    CHECK_EQ(host.count, 2);
    CHECK_EQ(host.kinds[0], 'W');
    CHECK_EQ(host.addresses[0], 0x2000);
    CHECK_EQ(host.values[0], 0x12);
    CHECK_EQ(host.kinds[1], 'W');
    CHECK_EQ(host.addresses[1], 0x2001);
    CHECK_EQ(host.values[1], 0x34);
    CHECK_EQ(host.memory[0x2000], 0x12);
    CHECK_EQ(host.memory[0x2001], 0x34);

    /* INC $1000: read, read, write */
    host.count = 0;
    vantrel_step(ctrl, &a, &b, &x, &y, &sp, &ccr, 0x7C, 0x10, 0x00, 0, 0);
    CHECK_EQ(host.count, 3);
    CHECK_EQ(host.kinds[0], 'R');
    CHECK_EQ(host.kinds[1], 'R');
    CHECK_EQ(host.kinds[2], 'W');
    CHECK_EQ(host.values[2], 0x42);
    CHECK_EQ(host.memory[0x1000], 0x42);

    /* PSHA at SP $00FF */
    host.count = 0;
    vantrel_step(ctrl, &a, &b, &x, &y, &sp, &ccr, 0x36, 0, 0, 0, 0);
    CHECK_EQ(sp, 0x00FE);
    CHECK_EQ(host.count, 1);
    CHECK_EQ(host.addresses[0], 0x00FF);
    CHECK_EQ(host.values[0], 0x41);

    /* Registers come back zero-extended. */
    a = -1;
    x = -1;
    ccr = -1;
    vantrel_step(ctrl, &a, &b, &x, &y, &sp, &ccr, 0x01, 0, 0, 0, 0);
    CHECK_EQ(a, 0xFF);
    CHECK_EQ(x, 0xFFFF);
    CHECK_EQ(ccr, 0xFF);

    /* NULL callbacks: reads give the low byte of the address, writes go nowhere. */
    vantrel_set_events(ctrl, NULL, NULL, NULL);
    host.count = 0;
    vantrel_step(ctrl, &a, &b, &x, &y, &sp, &ccr, 0xB6, 0x12, 0x34, 0, 0);
    CHECK_EQ(a, 0x34);
    vantrel_step(ctrl, &a, &b, &x, &y, &sp, &ccr, 0xB7, 0x10, 0x00, 0, 0);
    CHECK_EQ(host.count, 0);
    CHECK_EQ(host.memory[0x1000], 0x42);

    /* Callbacks again, then an undefined opcode: nothing happens. */
    vantrel_set_events(ctrl, on_read, on_write, &host);
    a = 0x11;
    b = 0x22;
    x = 0x3344;
    y = 0x5566;
    sp = 0x7788;
    ccr = 0x99;
    vantrel_step(ctrl, &a, &b, &x, &y, &sp, &ccr, 0x41, 0, 0, 0, 0);
    CHECK_EQ(host.count, 0);
    CHECK_EQ(a, 0x11);
    CHECK_EQ(b, 0x22);
    CHECK_EQ(x, 0x3344);
    CHECK_EQ(y, 0x5566);
    CHECK_EQ(sp, 0x7788);
    CHECK_EQ(ccr, 0x99);

    const char* about = vantrel_about();
    if (about == NULL || strcmp(about, "Vantrel Control, Version 1.0") != 0) {
        fprintf(stderr, "vantrel_about returned \"%s\"\n", about ? about : "(null)");
        ++failures;
    }

    vantrel_destroy(ctrl);
    vantrel_destroy(NULL);

    if (failures != 0) {
        fprintf(stderr, "%d check(s) failed\n", failures);
        return 1;
    }
    printf("C interface: all checks passed\n");
    return 0;
}
