* A compute-heavy 68HC11 workload for the run benchmark: table fills and
* sums (loads and stores, indexed by X and Y), 8- and 16-bit arithmetic, a
* multiplication, a bit test, branches and subroutine calls. About 17 million
* instructions, then it idles at DONE.
TABLE   EQU $0100
COUNT   EQU 64
SUM     EQU $0042
PASSES  EQU 20000

        ORG $E000
START   LDS #$01FF
        LDY #PASSES
OUTER   LDX #TABLE
        LDAB #COUNT
FILL    STAB 0,X
        INX
        DECB
        BNE FILL
        LDX #TABLE
        LDD #0
        STD SUM
SUMUP   BSR ADDONE
        INX
        CPX #TABLE+COUNT
        BNE SUMUP
        JSR MIX
        DEY
        BNE OUTER
DONE    BRA DONE

ADDONE  LDAB 0,X
        CLRA
        ADDD SUM
        STD SUM
        RTS

MIX     LDAA SUM+1
        LDAB #13
        MUL
        EORA #$5A
        STAA $40
        BRSET $40 $01 ODD
        LSRA
ODD     ANDA #$7F
        PSHY
        LDY #TABLE
        STAA 5,Y
        PULY
        RTS

        ORG $FFFE
        FDB START
