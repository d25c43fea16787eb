; voidscope's sample cartridge: a small MMC1 program that shows one line of
; text, padded out with made-up level data so that the banks range from full
; to empty. PRG bank 3 and CHR bank 2 are left entirely free.

PPUCTRL   = $2000
PPUMASK   = $2001
PPUSTATUS = $2002
PPUSCROLL = $2005
PPUADDR   = $2006
PPUDATA   = $2007
DMCFREQ   = $4010
MMC1CTRL  = $8000
MMC1CHR0  = $A000

.segment "HEADER"
    .byte "NES", $1A
    .byte 8             ; 8 x 16 KB PRG
    .byte 4             ; 4 x 8 KB CHR
    .byte $10           ; mapper 1 (low nibble), horizontal mirroring
    .byte $00           ; mapper 1 (high nibble)
    .res 8, $00

; Pseudo-random but deterministic filler: `count` bytes from `seed`.
.macro filler count, seed
    .repeat count, i
        .byte <((i * 113) ^ (i >> 3) ^ (i >> 9) * 29 ^ seed) | $01
    .endrepeat
.endmacro

.segment "BANK0"        ; full
    filler 16384, $5A
.segment "BANK1"        ; three quarters
    filler 12288, $33
.segment "BANK2"        ; half
    filler 8192, $C4
.segment "BANK4"        ; two blocks with a gap between them
    filler 2048, $11
    .res 6144, $FF
    filler 3072, $72
.segment "BANK5"        ; nearly full
    filler 15000, $A9
.segment "BANK6"        ; a little
    filler 1024, $E7

.segment "ZEROPAGE"
frames: .res 1

.segment "CODE"

; Write A to an MMC1 register, one bit at a time.
.macro mmc1_write reg
    .repeat 5
        sta reg
        lsr a
    .endrepeat
.endmacro

reset:
    sei
    cld
    ldx #$FF
    txs
    inx
    stx PPUCTRL
    stx PPUMASK
    stx DMCFREQ
    lda #$80            ; reset the mapper's shift register
    sta MMC1CTRL
    lda #$0E            ; 16 KB PRG with the last bank fixed, 8 KB CHR
    mmc1_write MMC1CTRL
    lda #$00
    mmc1_write MMC1CHR0

    bit PPUSTATUS
@vblank1:
    bit PPUSTATUS
    bpl @vblank1
    txa
@clear_ram:
    sta $00,x
    sta $0100,x
    sta $0200,x
    sta $0300,x
    sta $0400,x
    sta $0500,x
    sta $0600,x
    sta $0700,x
    inx
    bne @clear_ram
@vblank2:
    bit PPUSTATUS
    bpl @vblank2

    lda #$3F            ; palette
    sta PPUADDR
    lda #$00
    sta PPUADDR
    ldx #0
@palette:
    lda palette,x
    sta PPUDATA
    inx
    cpx #32
    bne @palette

    lda #$20            ; blank the first name table (tile 0 is empty)
    sta PPUADDR
    lda #$00
    sta PPUADDR
    ldy #4
    tax
@blank:
    sta PPUDATA
    inx
    bne @blank
    dey
    bne @blank

    lda #$21            ; the message, row 14, column 8
    sta PPUADDR
    lda #$C8
    sta PPUADDR
    ldx #0
@message:
    lda message,x
    beq @shown
    sta PPUDATA
    inx
    bne @message
@shown:
    lda #$00
    sta PPUSCROLL
    sta PPUSCROLL
    lda #$80            ; NMI on each frame
    sta PPUCTRL
    lda #$0A            ; background on
    sta PPUMASK
forever:
    jmp forever

nmi:
    inc frames
irq:
    rti

.segment "RODATA"
palette:
    .byte $0F, $2A, $30, $30, $0F, $2A, $30, $30, $0F, $2A, $30, $30, $0F, $2A, $30, $30
    .byte $0F, $2A, $30, $30, $0F, $2A, $30, $30, $0F, $2A, $30, $30, $0F, $2A, $30, $30
; Tile numbers of "VOIDSCOPE SAMPLE" in the font below.
message:
    .byte 1, 2, 3, 4, 5, 6, 2, 7, 8, 0, 5, 9, 10, 7, 11, 8, 0

.segment "VECTORS"
    .word nmi, reset, irq

; Font: tile 0 blank, then V O I D S C P E A M L (plane 0 only).
.segment "TILES0"
.macro glyph r0, r1, r2, r3, r4, r5, r6, r7
    .byte r0, r1, r2, r3, r4, r5, r6, r7
    .res 8, $00
.endmacro
    glyph 0, 0, 0, 0, 0, 0, 0, 0
    glyph %11000110, %11000110, %11000110, %11000110, %01101100, %00111000, %00010000, 0 ; V
    glyph %01111100, %11000110, %11000110, %11000110, %11000110, %11000110, %01111100, 0 ; O
    glyph %01111110, %00011000, %00011000, %00011000, %00011000, %00011000, %01111110, 0 ; I
    glyph %11111000, %11001100, %11000110, %11000110, %11000110, %11001100, %11111000, 0 ; D
    glyph %01111100, %11000110, %11000000, %01111100, %00000110, %11000110, %01111100, 0 ; S
    glyph %01111100, %11000110, %11000000, %11000000, %11000000, %11000110, %01111100, 0 ; C
    glyph %11111100, %11000110, %11000110, %11111100, %11000000, %11000000, %11000000, 0 ; P
    glyph %11111110, %11000000, %11000000, %11111100, %11000000, %11000000, %11111110, 0 ; E
    glyph %00111000, %01101100, %11000110, %11000110, %11111110, %11000110, %11000110, 0 ; A
    glyph %11000110, %11101110, %11111110, %11010110, %11000110, %11000110, %11000110, 0 ; M
    glyph %11000000, %11000000, %11000000, %11000000, %11000000, %11000000, %11111110, 0 ; L

.segment "TILES1"       ; a full bank of patterned tiles
    .repeat 8192, i
        .byte <((i * 7) ^ (i >> 4)) | $80
    .endrepeat

.segment "TILES3"       ; half a bank
    .repeat 4096, i
        .byte <(i * 37 + (i >> 6)) | $04
    .endrepeat
