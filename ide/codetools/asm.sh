#!/bin/sh
# asm.sh: quorvel's assembly step. quorvel starts it without arguments in a
# working folder that holds the source as Temp$$$.asm. It assembles that file
# with the as11 that sits beside this script into Temp$$$.lst, Temp$$$.s19
# and, when the source has errors, Temp$$$.err, and then creates the marker
# Temp$$$.$$$, which tells quorvel that the results are complete. The marker
# comes whether or not as11 succeeded, so quorvel never waits in vain.
here=$(dirname -- "$0")
"$here/as11" 'Temp$$$.asm'
: >'Temp$$$.$$$'
