* echo.asm - echo the bytes entered on the I/O unit's input to its output.
*
* Open View > IO unit and press Play. Type a value in "In Unit" (in the
* format chosen beside it) and press Enter: "Data Pending" lights, the
* program takes the byte, the light goes out, and the same byte appears in
* "Out Unit" with "Data Ready" lit. Entering 0 ends the program; B then
* holds the number of bytes echoed before it.
*
*   hc11sim --io echo.out --in 5,$41,200,0 --regs echo.s19
*     ->  echo.out holds $05 $41 $C8 $00, B=03

INFRESH EQU     $6000           input unit: 1 while a byte waits
INDATA  EQU     $6001           input unit: data register (reading it takes the byte)
OUTDATA EQU     $6003           output unit: data register

        ORG     $E000
START   LDS     #$01FF
        CLRB                    bytes echoed so far
WAITIN  LDAA    INFRESH         wait for Data Pending
        BEQ     WAITIN
        LDAA    INDATA          take the byte (Data Pending goes out)
        STAA    OUTDATA         and show it (Data Ready lights)
        BEQ     DONE            0 ends the echo
        INCB
        BRA     WAITIN
DONE    BRA     DONE

        ORG     $FFFE
        FDB     START
