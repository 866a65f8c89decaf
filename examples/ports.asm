* ports.asm - set up ports and the timer, and watch the on-chip registers.
*
* The program makes port C an output, writes patterns to ports B and C,
* prepares output compare 2 to toggle its pin 1000 counts from now, and
* selects the timer prescaler (a real 68HC11 takes that only in the first
* 64 cycles after reset). Step through it with Step Into and watch each
* store change one byte of the register block at $1000-$103F:
*
* - On the simulator, open View > Memory Window at $1000 (or add watches on
*   $1003, $1004 and $1007 with Debug > Add Watch). The simulator treats
*   the on-chip registers as plain memory, so TCNT does not count and reads 0.
* - On a board, open View > Register Block > Ports and > Timer, which show
*   the registers by name (switch a row to binary with the pop-up menu to
*   see single bits); TCNT runs. These windows read the chip itself and are
*   available in board mode only.
*
*   hc11sim --dump $1000:40 ports.s19
*     ->  PORTB ($1004) $A5, PORTC ($1003) $3C, DDRC ($1007) $FF,
*         TOC2 ($1018) $03E8, TCTL1 ($1020) $40, TMSK2 ($1024) $03

REGS    EQU     $1000           register block; X points here
PORTC   EQU     $03
PORTB   EQU     $04
DDRC    EQU     $07
TCNT    EQU     $0E
TOC2    EQU     $18
TCTL1   EQU     $20
TMSK2   EQU     $24
OM2OL2  EQU     %01000000       TCTL1: toggle OC2 on each compare
PRESC16 EQU     %00000011       TMSK2: timer clock = E / 16

        ORG     $E000
START   LDS     #$01FF
        LDX     #REGS
        LDAA    #$FF
        STAA    DDRC,X          port C: all outputs
        LDAA    #$A5
        STAA    PORTB,X
        LDAA    #%00111100
        STAA    PORTC,X
        LDD     TCNT,X          compare 1000 counts from now
        ADDD    #1000
        STD     TOC2,X
        LDAA    #OM2OL2
        STAA    TCTL1,X
        BSET    TMSK2,X PRESC16 prescaler bits (only settable early after reset)
        BCLR    PORTB,X $0F     clear the low half of port B: $A0
        BSET    PORTB,X $05     and set bits 0 and 2 again: $A5
DONE    BRA     DONE

        ORG     $FFFE
        FDB     START
