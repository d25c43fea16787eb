; Tunebrick mini driver: a small sample the converter's tests assemble.
TB_DPCM_ENABLE
TB_SFX_ENABLE
TB_THREAD

TB_ZP_PTR = $10		; song pointer, two bytes in zero page
TB_ZP_VEC = $12		; sound-effect vector
APU_PULSE1 = $4000
APU_STATUS = $4015

; Entry points. Call tb_init once, then tb_update every frame.
tb_init
	lda #$0F
	sta APU_STATUS		; pulse, triangle and noise on
	lda #LOW(tb_song)
	sta <TB_ZP_PTR
	lda #HIGH(tb_song)
	sta <TB_ZP_PTR+1
	ldx #0
.clear
	lda #0
	sta APU_PULSE1,x
	inx
	cpx #4
	bne .clear
	rts

tb_update
	ldy #0
.next
	lda [TB_ZP_PTR],y	; a zero ends the song
	beq .done
	sta APU_PULSE1
	iny
	bne .next
.done
	.ifdef TB_SFX_ENABLE
	jsr tb_sfx
	.endif
	.ifndef TB_THREAD
	lda #$FF		; left out: the threaded build is on
	.endif
	rts

tb_sfx
	lda #LOW(tb_sfx_stop)
	sta <TB_ZP_VEC
	lda #HIGH(tb_sfx_stop)
	sta <TB_ZP_VEC+1
	jmp [TB_ZP_VEC]

tb_sfx_stop
	rts

	.ifdef TB_DPCM_ENABLE
tb_dpcm_rate
	.byte $0F, $0E
	.endif

tb_song
	.byte $3F, $1F, 0
tb_vectors
	.word tb_init, tb_update
