* bcd.asm - a 16-bit number as five decimal digits, with subroutines.
*
* DECIMAL turns the word in D into five ASCII digits at TEXT by dividing by
* ten again and again (IDIV): each remainder is the next digit from the
* right. A second routine, SQUARE, multiplies an 8-bit value by itself with
* MUL, and the program converts that square too. Step through it with Step
* Into / Step Over / Step Out and watch the stack window: every JSR and BSR
* pushes its return address.
*
*   hc11sim --dump $0100:10 --regs bcd.s19
*     ->  0100: 35 31 32 33 34 30 36 30 38 34   ("51234" and "06084" = 78*78)

TEXT    EQU     $0100           first result, five digits
TEXT2   EQU     $0105           second result
DIGITS  EQU     $0040           loop counter of DECIMAL
NUMBER  EQU     51234
ROOT    EQU     78

        ORG     $E000
START   LDS     #$01FF
        LDD     #NUMBER
        LDY     #TEXT
        JSR     DECIMAL
        LDAA    #ROOT
        BSR     SQUARE          D := ROOT * ROOT
        LDY     #TEXT2
        JSR     DECIMAL
DONE    BRA     DONE

* SQUARE: D := A * A.
SQUARE  TAB
        MUL
        RTS

* DECIMAL: writes D as five ASCII digits to Y .. Y+4, Y kept; A, B, X changed.
DECIMAL PSHA
        PSHB                    keep the number while Y moves
        XGDY
        ADDD    #5
        XGDY                    Y := one past the last digit
        LDAA    #5
        STAA    DIGITS          digits still to write
        PULB
        PULA
NEXTDIG BSR     DIV10           X := D / 10, A := the remainder as a digit
        DEY
        STAA    0,Y             digits are written from the right
        XGDX                    D := the quotient, for the next digit
        DEC     DIGITS
        BNE     NEXTDIG
        RTS

* DIV10: D / 10 -> quotient in X, remainder in A as an ASCII digit.
DIV10   LDX     #10
        IDIV
        ADDB    #'0
        TBA
        RTS

        ORG     $FFFE
        FDB     START
