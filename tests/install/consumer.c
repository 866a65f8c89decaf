/* A plain C host of the installed simulator: steps a few instructions from its
 * own memory image and checks the registers and the memory events.
 * Exits 0 when everything matches, 1 otherwise. */
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <vantrel.h>

enum { kMaxEvents = 16 };

struct Event {
    char kind; /* 'R' or 'W' */
    int32_t address;
    int value; /* for 'R' the value preset by the simulator, for 'W' the byte written */
};

struct Host {
    uint8_t memory[65536];
    struct Event events[kMaxEvents];
    int count;
    int forced_read; /* when >= 0, every read answers this instead of memory */
};

static struct Host host;
static int failures;

#define CHECK(cond)                                                                                          \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            fprintf(stderr, "consumer.c:%d: check failed: %s\n", __LINE__, #cond);                           \
            ++failures;                                                                                      \
        }                                                                                                    \
    } while (0)

static void record(struct Host* h, char kind, int32_t address, int value) {
    if (h->count < kMaxEvents) {
        h->events[h->count].kind = kind;
        h->events[h->count].address = address;
        h->events[h->count].value = value;
    }
    ++h->count;
}

static void on_read(void* user, int32_t address, int16_t* value) {
    struct Host* h = (struct Host*)user;
    record(h, 'R', address, *value);
    if (h->forced_read >= 0)
        *value = (int16_t)h->forced_read;
    else
        *value = h->memory[address & 0xFFFF];
}

static void on_write(void* user, int32_t address, int16_t value) {
    struct Host* h = (struct Host*)user;
    record(h, 'W', address, value);
    h->memory[address & 0xFFFF] = (uint8_t)value;
}

static int event_is(int index, char kind, int32_t address, int value) {
    const struct Event* e = &host.events[index];
    return index < host.count && e->kind == kind && e->address == address && e->value == value;
}

int main(void) {
    VantrelCtrl* ctrl = vantrel_create();
    int16_t a = 0, b = 0, ccr = 0xD0;
    int32_t x = 0, y = 0, sp = 0x00FF;
    const char* about = vantrel_about();

    if (!ctrl) {
        fprintf(stderr, "consumer.c: vantrel_create failed\n");
        return 1;
    }
    CHECK(about != NULL && strstr(about, "Vantrel") != NULL);
    host.forced_read = -1;
    vantrel_set_events(ctrl, on_read, on_write, &host);

    /* LDAA #$41: immediate, no event. */
    host.count = 0;
    vantrel_step(ctrl, &a, &b, &x, &y, &sp, &ccr, 0x86, 0x41, 0, 0, 0);
    CHECK(a == 0x41);
    CHECK(host.count == 0);

    /* STAA $1000: one write. */
    host.count = 0;
    vantrel_step(ctrl, &a, &b, &x, &y, &sp, &ccr, 0xB7, 0x10, 0x00, 0, 0);
    CHECK(host.count == 1);
    CHECK(event_is(0, 'W', 0x1000, 0x41));
    CHECK(host.memory[0x1000] == 0x41);

    /* LDX $1000: high byte, then low byte. */
    host.memory[0x1001] = 0x42;
    host.count = 0;
    vantrel_step(ctrl, &a, &b, &x, &y, &sp, &ccr, 0xFE, 0x10, 0x00, 0, 0);
    CHECK(x == 0x4142);
    CHECK(host.count == 2);
    CHECK(event_is(0, 'R', 0x1000, 0x1000));
    CHECK(event_is(1, 'R', 0x1001, 0x1001));
    CHECK((ccr & 0x0E) == 0); /* N, Z, V clear */

    /* PSHA / PULB through the stack at $00FF. */
    host.count = 0;
    vantrel_step(ctrl, &a, &b, &x, &y, &sp, &ccr, 0x36, 0, 0, 0, 0);
    CHECK(sp == 0x00FE);
    CHECK(event_is(0, 'W', 0x00FF, 0x41));
    host.count = 0;
    vantrel_step(ctrl, &a, &b, &x, &y, &sp, &ccr, 0x33, 0, 0, 0, 0);
    CHECK(sp == 0x00FF);
    CHECK(b == 0x41);
    CHECK(event_is(0, 'R', 0x00FF, 0x00FF));

    /* A read answered with 300 reads its low byte, $2C. */
    host.forced_read = 300;
    host.count = 0;
    vantrel_step(ctrl, &a, &b, &x, &y, &sp, &ccr, 0xF6, 0x12, 0x34, 0, 0); /* LDAB $1234 */
    host.forced_read = -1;
    CHECK(b == 0x2C);
    CHECK(host.count == 1);
    CHECK(event_is(0, 'R', 0x1234, 0x1234));

    /* INX wraps to 0 and sets Z. */
    x = 0xFFFF;
    host.count = 0;
    vantrel_step(ctrl, &a, &b, &x, &y, &sp, &ccr, 0x08, 0, 0, 0, 0);
    CHECK(x == 0);
    CHECK((ccr & 0x04) != 0);
    CHECK(host.count == 0);

    vantrel_destroy(ctrl);
    if (failures) {
        fprintf(stderr, "consumer.c: %d check(s) failed\n", failures);
        return 1;
    }
    puts("consumer.c: all checks passed");
    return 0;
}
