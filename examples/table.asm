* table.asm - walk a table with the bit-test branches BRSET and BRCLR.
*
* The table holds sensor readings; bit 7 set marks a reading out of range,
* bit 0 clear an even reading. The walk counts both with BRSET and BRCLR on
* each entry (indexed by X) and keeps the largest in-range reading. COUNT,
* the table's length, is worked out by the assembler from where it ends.
* Set a breakpoint on SKIP and Play to see each out-of-range entry.
*
*   hc11sim --dump $0040:3 --regs table.s19
*     ->  0040: 03 04 6E   (3 out of range, 4 even, largest in range $6E)

OUTRNG  EQU     $0040           readings with bit 7 set
EVEN    EQU     $0041           readings with bit 0 clear
LARGEST EQU     $0042           largest reading with bit 7 clear

        ORG     $E000
START   LDS     #$01FF
        CLR     OUTRNG
        CLR     EVEN
        CLR     LARGEST
        LDX     #TABLE
WALK    BRCLR   0,X $01 ISEVEN  bit 0 clear: an even reading
        BRA     BIT7
ISEVEN  INC     EVEN
BIT7    BRSET   0,X $80 SKIP    bit 7 set: out of range, not compared
        LDAA    0,X
        CMPA    LARGEST
        BLS     NEXT
        STAA    LARGEST
        BRA     NEXT
SKIP    INC     OUTRNG
NEXT    INX
        CPX     #TABLE+COUNT
        BNE     WALK
DONE    BRA     DONE

TABLE   FCB     $12,$35,$81,$6E,$07,$FF,$40,$23,$90,$5B
COUNT   EQU     *-TABLE

        ORG     $FFFE
        FDB     START
