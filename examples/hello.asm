* hello.asm - "Hello" through the serial interface (SCI) to the terminal.
*
* For the board: open View > Serial Terminal, download this program and
* press Run. The program sends the text through SCDR, waiting for TDRE
* (transmit data register empty) before each character, and then echoes
* every character typed in the terminal until it receives an Escape.
* It works the same with hc11board, the emulated board.
*
* The simulator has no SCI. So that the program also runs there, the
* download writes TDRE and TC into SCSR ($102E): on a real 68HC11 that write
* has no effect, on the simulator it makes the transmitter look ready. The
* echo loop waits for RDRF, which the simulator never sets: its BRCLR to
* itself is an idle loop, where hc11sim stops.
*
*   hc11sim --dump $102F:1 hello.s19
*     ->  102F: 0A   (the last character sent: "Hello, 68HC11!", CR, LF)

REGS    EQU     $1000           the on-chip register block
SCSR    EQU     $2E             SCI status register (offset in the block)
SCDR    EQU     $2F             SCI data register (offset in the block)
TDRE    EQU     $80             transmit data register empty
RDRF    EQU     $20             receive data register full
ESC     EQU     27

        ORG     $E000
START   LDS     #$01FF
        LDX     #REGS           X points at the registers throughout
        LDY     #TEXT
SEND    LDAA    0,Y
        BEQ     ECHO
        BSR     PUTC
        INY
        BRA     SEND
ECHO    BRCLR   SCSR,X RDRF ECHO        wait for a character
        LDAA    SCDR,X
        CMPA    #ESC
        BEQ     DONE
        BSR     PUTC            send it back
        BRA     ECHO
DONE    BRA     DONE

* PUTC: sends A once the transmitter is free.
PUTC    BRCLR   SCSR,X TDRE PUTC
        STAA    SCDR,X
        RTS

TEXT    FCC     "Hello, 68HC11!"
        FCB     13,10,0

        ORG     REGS+SCSR
        FCB     $C0             TDRE and TC, for the simulator (see above)

        ORG     $FFFE
        FDB     START
