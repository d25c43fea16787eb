; Gives the converted driver a segment to assemble into.
.segment "CODE"
.include "tbdrv.s"
