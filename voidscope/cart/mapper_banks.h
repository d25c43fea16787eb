// The bank sizes each mapper switches: the one table of them. A mapper not
// in it is mapped in 16 KB PRG and 8 KB CHR banks.
#pragma once

#include <cstdint>
#include <span>

#include "bank_layout.h"

struct TMapperBanks {
  unsigned mapper;
  const char* board;
  TBankSizes sizes;
};

std::span<const TMapperBanks> MapperBankTable();
// The mapper's row, or nullptr when it is not in the table.
const TMapperBanks* FindMapperBanks(unsigned mapper);

// The sizes asked for: the mapper's (`fromMapper`), each replaced by a size
// given on its own (0 when not given).
struct TBankSizeChoice {
  bool fromMapper = false;
  std::uint64_t prg = 0;
  std::uint64_t chr = 0;
};
TBankSizes ChooseBankSizes(const TBankSizeChoice& choice, unsigned mapper);
