* leds.asm - the eight LEDs of the I/O unit count in binary.
*
* Open View > IO unit, tick "LED Power On" and press Play: the program
* writes 1, 2, 3 ... COUNT to the output data register at $6003, and the
* LEDs show each value (LED 1 is bit 7, LED 8 is bit 0). A short delay
* between the values keeps them visible; raise DELAY to slow it down.
* At the end the program idles at DONE with A = COUNT.
*
*   hc11sim --io leds.out --regs leds.s19   ->  leds.out holds $01..$20, A=20

OUTDATA EQU     $6003           output unit: data register
COUNT   EQU     32              values to show
DELAY   EQU     5000            delay loop passes per value

        ORG     $E000
START   LDS     #$01FF          stack at the top of the internal RAM
        CLRA
NEXT    INCA
        STAA    OUTDATA         show A on the LEDs
        BSR     WAIT
        CMPA    #COUNT
        BNE     NEXT
DONE    BRA     DONE            idle: the result stays on the LEDs

* WAIT: burns DELAY passes of a short loop; X is used, A and B are kept.
WAIT    LDX     #DELAY
WAIT1   DEX
        BNE     WAIT1
        RTS

        ORG     $FFFE
        FDB     START           reset vector
