// The ca65 copy of a small driver source must assemble, with the real
// assembler and linker, into exactly the bytes the source stands for.
#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"

namespace srcmorph {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::run_program;
using testing::run_srcmorph;
using testing::TempDir;

const fs::path kData = SRCMORPH_TEST_DATA;

// tbdrv.asm assembled by hand, from $8000.
const std::vector<unsigned char> kDriverBytes = {
    // tb_init
    0xA9, 0x0F,       // lda #$0F
    0x8D, 0x15, 0x40, // sta APU_STATUS
    0xA9, 0x38,       // lda #LOW(tb_song)
    0x85, 0x10,       // sta <TB_ZP_PTR
    0xA9, 0x80,       // lda #HIGH(tb_song)
    0x85, 0x11,       // sta <TB_ZP_PTR+1
    0xA2, 0x00,       // ldx #0
    0xA9, 0x00,       // .clear: lda #0
    0x9D, 0x00, 0x40, // sta APU_PULSE1,x
    0xE8,             // inx
    0xE0, 0x04,       // cpx #4
    0xD0, 0xF6,       // bne .clear
    0x60,             // rts
    // tb_update
    0xA0, 0x00,       // ldy #0
    0xB1, 0x10,       // .next: lda [TB_ZP_PTR],y
    0xF0, 0x06,       // beq .done
    0x8D, 0x00, 0x40, // sta APU_PULSE1
    0xC8,             // iny
    0xD0, 0xF6,       // bne .next
    0x20, 0x2A, 0x80, // .done: jsr tb_sfx (the .ifndef TB_THREAD block is left out)
    0x60,             // rts
    // tb_sfx
    0xA9, 0x35,       // lda #LOW(tb_sfx_stop)
    0x85, 0x12,       // sta <TB_ZP_VEC
    0xA9, 0x80,       // lda #HIGH(tb_sfx_stop)
    0x85, 0x13,       // sta <TB_ZP_VEC+1
    0x6C, 0x12, 0x00, // jmp [TB_ZP_VEC]
    0x60,             // tb_sfx_stop: rts
    0x0F, 0x0E,       // tb_dpcm_rate
    0x3F, 0x1F, 0x00, // tb_song
    0x00, 0x80, 0x1A, 0x80, // tb_vectors: tb_init, tb_update
};

TEST(Assemble, Ca65CopyAssemblesToTheExpectedBytes)
{
    const TempDir dir;
    for (const char* name : {"tbdrv.asm", "wrap.s", "tbdrv.cfg"})
        fs::copy_file(kData / name, dir / name);

    const auto converted = run_srcmorph({"tbdrv.asm"}, dir.path());
    ASSERT_EQ(converted.status, 0) << converted.out;

    const auto assembled = run_program("/usr/bin/ca65", {"wrap.s", "-o", "wrap.o"}, dir.path());
    ASSERT_EQ(assembled.status, 0) << assembled.out << assembled.err << read_file(dir / "tbdrv.s");
    const auto linked =
        run_program("/usr/bin/ld65", {"-C", "tbdrv.cfg", "-o", "tbdrv.bin", "wrap.o"}, dir.path());
    ASSERT_EQ(linked.status, 0) << linked.out << linked.err;

    const std::string bin = read_file(dir / "tbdrv.bin");
    EXPECT_EQ(std::vector<unsigned char>(bin.begin(), bin.end()), kDriverBytes);
}

TEST(Assemble, Asm6CopyMatchesTheCheckedCopy)
{
    const TempDir dir;
    fs::copy_file(kData / "tbdrv.asm", dir / "tbdrv.asm");
    ASSERT_EQ(run_srcmorph({"tbdrv.asm"}, dir.path()).status, 0);
    EXPECT_EQ(read_file(dir / "tbdrv_asm6.asm"), read_file(kData / "tbdrv_asm6.expected"));
}

} // namespace
} // namespace srcmorph
