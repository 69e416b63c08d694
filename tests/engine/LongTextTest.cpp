// Positions in a text longer than 2 GiB: every place the engine reports (a mark,
// a fault's operator) is a size, so it is right however far into the text it lies.
// The text is one small block of memory mapped over and over, so the test needs
// a few megabytes, not gigabytes.

#include <gtest/gtest.h>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "Calculation.h"

namespace {

#if defined(__linux__)

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderSanitizers = true;
#elif defined(__has_feature)
constexpr bool kUnderSanitizers = __has_feature(address_sanitizer);
#else
constexpr bool kUnderSanitizers = false;
#endif

// A text of `blocks` copies of one block followed by a tail of up to a page,
// which the test may rewrite; unmapped when it goes.
class RepeatedText {
public:
  RepeatedText(std::string_view block, size_t blocks) : m_blockSize(block.size()), m_blocks(blocks) {
    m_size = m_blockSize * m_blocks + kTailRoom;
    void* reserved = mmap(nullptr, m_size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (reserved == MAP_FAILED) return;
    m_base = static_cast<char*>(reserved);

    const int file = memfd_create("repeated-block", 0);
    if (file < 0 || ftruncate(file, static_cast<off_t>(m_blockSize)) != 0 ||
        write(file, block.data(), block.size()) != static_cast<ssize_t>(block.size())) {
      if (file >= 0) close(file);
      return;
    }
    bool mapped = true;
    for (size_t i = 0; i < m_blocks && mapped; ++i)
      mapped = mmap(m_base + i * m_blockSize, m_blockSize, PROT_READ, MAP_SHARED | MAP_FIXED, file, 0) != MAP_FAILED;
    close(file);
    m_tail = m_base + m_blockSize * m_blocks;
    m_ready = mapped && mmap(m_tail, kTailRoom, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1,
                             0) != MAP_FAILED;
  }
  ~RepeatedText() {
    if (m_base) munmap(m_base, m_size);
  }
  RepeatedText(const RepeatedText&) = delete;
  RepeatedText& operator=(const RepeatedText&) = delete;

  bool ready() const { return m_ready; }
  size_t repeatedSize() const { return m_blockSize * m_blocks; }

  // The repeated blocks with `tail` after them.
  std::string_view WithTail(std::string_view tail) {
    std::memcpy(m_tail, tail.data(), tail.size());
    return {m_base, repeatedSize() + tail.size()};
  }

private:
  static constexpr size_t kTailRoom = 4096;
  size_t m_blockSize;
  size_t m_blocks;
  size_t m_size = 0;
  char* m_base = nullptr;
  char* m_tail = nullptr;
  bool m_ready = false;
};

// 4 MiB of "999999999999999+", a sum that stays finite however long it grows.
std::string SumBlock() {
  std::string block;
  while (block.size() < (4u << 20))
    block += "999999999999999+";
  return block;
}

TEST(LongText, PlacesBeyond2GiBAreCountedInFull) {
  if (sizeof(size_t) < 8) GTEST_SKIP() << "a text of 2 GiB needs a 64-bit address space";
  // A pass over 2 GiB takes seconds natively; under the sanitizers, which add
  // nothing to a check of sizes, over a minute.
  if (kUnderSanitizers) GTEST_SKIP() << "too slow under the sanitizers";
  RepeatedText repeated(SumBlock(), 513);  // 2 GiB and 4 MiB
  ASSERT_TRUE(repeated.ready()) << std::strerror(errno);
  const size_t offset = repeated.repeatedSize();
  ASSERT_GT(offset, size_t{1} << 31);

  // Two operators together after the sum of the blocks are marked where they
  // are marked on their own, shifted by the length of the sum.
  const CheckOutcome alone = CheckExpressionText("1+*2");
  ASSERT_FALSE(alone.passed);
  ASSERT_TRUE(alone.mark);
  const auto shift = static_cast<std::ptrdiff_t>(offset);
  const FieldSelection shifted{alone.mark->start + shift, alone.mark->end + shift};
  const CheckOutcome outcome = CheckExpressionText(repeated.WithTail("1+*2"));
  EXPECT_FALSE(outcome.passed);
  EXPECT_EQ(outcome.prompt, alone.prompt);
  EXPECT_EQ(outcome.named, alone.named);
  EXPECT_EQ(outcome.mark, shifted);

  const Evaluation evaluation = EvaluateExpression(repeated.WithTail("1/0"), "%0.0f");
  ASSERT_EQ(evaluation.faults.size(), 1u);
  EXPECT_EQ(evaluation.faults[0].kind, ComputeFault::DivisionByZero);
  EXPECT_EQ(evaluation.faults[0].position, offset + 1);
}

#endif

}  // namespace
