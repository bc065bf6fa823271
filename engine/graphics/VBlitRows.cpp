#include "engine/graphics/VBlitRows.h"

#include <cstring>
#include <string_view>

#if defined(__x86_64__) || defined(_M_X64) || defined(__i386__) || defined(_M_IX86)
#define VBLIT_X86 1
#include <immintrin.h>
#endif
// Wider kernels are compiled for their own instruction set and picked at run time, so the
// build itself stays at the baseline.
#if defined(VBLIT_X86) && (defined(__GNUC__) || defined(__clang__))
#define VBLIT_AVX2 1
#define VBLIT_TARGET_AVX2 __attribute__((target("avx2")))
#endif

namespace VBlitRows {
namespace {

// ---- portable: eight bytes at a time in a 64-bit word ----

constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
constexpr uint64_t kHigh = 0x8080808080808080ULL;
constexpr uint64_t kOnes = 0x0101010101010101ULL;

inline uint64_t Load64(const uint8_t* p)
{
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

inline void Store64(uint8_t* p, uint64_t v) { std::memcpy(p, &v, 8); }

inline uint64_t ByteSwap(uint64_t v)
{
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_bswap64(v);
#else
    uint64_t r = 0;
    for (int i = 0; i < 8; ++i, v >>= 8)
        r = (r << 8) | (v & 0xFF);
    return r;
#endif
}

// 0xFF in every byte of v that differs from the key's byte, 0x00 elsewhere.
inline uint64_t OpaqueMask(uint64_t v, uint64_t keys)
{
    uint64_t x = v ^ keys;
    uint64_t t = (((x & kLow7) + kLow7) | x) & kHigh;
    return (t >> 7) * 0xFF;
}

inline void KeyWord(uint8_t* dest, uint64_t v, uint64_t keys)
{
    uint64_t m = OpaqueMask(v, keys);
    if (m == ~uint64_t(0))
        Store64(dest, v);
    else if (m != 0)
        Store64(dest, (v & m) | (Load64(dest) & ~m));
}

// Blending with a key is idempotent (the result depends on the source and the original
// destination only), so a last word may overlap the one before it.
void KeyForwardPortable(uint8_t* dest, const uint8_t* source, size_t count, uint8_t key)
{
    if (count < 8) {
        for (size_t k = 0; k < count; ++k)
            if (source[k] != key)
                dest[k] = source[k];
        return;
    }
    const uint64_t keys = kOnes * key;
    size_t k = 0;
    for (; k + 8 <= count; k += 8)
        KeyWord(dest + k, Load64(source + k), keys);
    if (k < count)
        KeyWord(dest + count - 8, Load64(source + count - 8), keys);
}

void CopyReversePortable(uint8_t* dest, const uint8_t* last, size_t count)
{
    if (count < 8) {
        for (size_t k = 0; k < count; ++k)
            dest[k] = last[-std::ptrdiff_t(k)];
        return;
    }
    size_t k = 0;
    for (; k + 8 <= count; k += 8)
        Store64(dest + k, ByteSwap(Load64(last - k - 7)));
    if (k < count)
        Store64(dest + count - 8, ByteSwap(Load64(last - (count - 8) - 7)));
}

void KeyReversePortable(uint8_t* dest, const uint8_t* last, size_t count, uint8_t key)
{
    if (count < 8) {
        for (size_t k = 0; k < count; ++k)
            if (last[-std::ptrdiff_t(k)] != key)
                dest[k] = last[-std::ptrdiff_t(k)];
        return;
    }
    const uint64_t keys = kOnes * key;
    size_t k = 0;
    for (; k + 8 <= count; k += 8)
        KeyWord(dest + k, ByteSwap(Load64(last - k - 7)), keys);
    if (k < count)
        KeyWord(dest + count - 8, ByteSwap(Load64(last - (count - 8) - 7)), keys);
}

// ---- SSE2: part of every x86-64 processor ----

#if defined(VBLIT_X86)
inline void KeyVector16(uint8_t* dest, const uint8_t* source, __m128i keys)
{
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
    __m128i m = _mm_cmpeq_epi8(v, keys);
    int bits = _mm_movemask_epi8(m);
    if (bits == 0) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest), v);
    } else if (bits != 0xFFFF) {
        __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dest));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest),
                         _mm_or_si128(_mm_andnot_si128(m, v), _mm_and_si128(m, d)));
    }
}

void KeyForwardSse2(uint8_t* dest, const uint8_t* source, size_t count, uint8_t key)
{
    if (count < 16) {
        KeyForwardPortable(dest, source, count, key);
        return;
    }
    const __m128i keys = _mm_set1_epi8(char(key));
    size_t k = 0;
    for (; k + 16 <= count; k += 16)
        KeyVector16(dest + k, source + k, keys);
    if (k < count)
        KeyVector16(dest + count - 16, source + count - 16, keys);
}
#endif

// ---- AVX2, when the processor has it ----

#if defined(VBLIT_AVX2)
VBLIT_TARGET_AVX2 inline __m256i Reverse32(__m256i v)
{
    const __m256i reverse = _mm256_setr_epi8(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0,
                                             15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
    return _mm256_shuffle_epi8(_mm256_permute2x128_si256(v, v, 1), reverse);
}

VBLIT_TARGET_AVX2 inline void KeyVector32(uint8_t* dest, __m256i v, __m256i keys)
{
    __m256i m = _mm256_cmpeq_epi8(v, keys);
    int bits = _mm256_movemask_epi8(m);
    if (bits == 0) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dest), v);
    } else if (bits != -1) {
        __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dest));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dest), _mm256_blendv_epi8(v, d, m));
    }
}

VBLIT_TARGET_AVX2 inline __m256i Load32(const uint8_t* p)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

VBLIT_TARGET_AVX2 void KeyForwardAvx2(uint8_t* dest, const uint8_t* source, size_t count, uint8_t key)
{
    if (count < 32) {
        KeyForwardSse2(dest, source, count, key);
        return;
    }
    const __m256i keys = _mm256_set1_epi8(char(key));
    size_t k = 0;
    for (; k + 32 <= count; k += 32)
        KeyVector32(dest + k, Load32(source + k), keys);
    if (k < count)
        KeyVector32(dest + count - 32, Load32(source + count - 32), keys);
}

VBLIT_TARGET_AVX2 void CopyReverseAvx2(uint8_t* dest, const uint8_t* last, size_t count)
{
    if (count < 32) {
        CopyReversePortable(dest, last, count);
        return;
    }
    size_t k = 0;
    for (; k + 32 <= count; k += 32)
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dest + k), Reverse32(Load32(last - k - 31)));
    if (k < count) {
        k = count - 32;
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dest + k), Reverse32(Load32(last - k - 31)));
    }
}

VBLIT_TARGET_AVX2 void KeyReverseAvx2(uint8_t* dest, const uint8_t* last, size_t count, uint8_t key)
{
    if (count < 32) {
        KeyReversePortable(dest, last, count, key);
        return;
    }
    const __m256i keys = _mm256_set1_epi8(char(key));
    size_t k = 0;
    for (; k + 32 <= count; k += 32)
        KeyVector32(dest + k, Reverse32(Load32(last - k - 31)), keys);
    if (k < count) {
        k = count - 32;
        KeyVector32(dest + k, Reverse32(Load32(last - k - 31)), keys);
    }
}
#endif

struct Kernels {
    void (*keyForward)(uint8_t*, const uint8_t*, size_t, uint8_t);
    void (*copyReverse)(uint8_t*, const uint8_t*, size_t);
    void (*keyReverse)(uint8_t*, const uint8_t*, size_t, uint8_t);
    const char* name;
};

const Kernels kPortable = {KeyForwardPortable, CopyReversePortable, KeyReversePortable, "portable"};
#if defined(VBLIT_X86)
const Kernels kSse2 = {KeyForwardSse2, CopyReversePortable, KeyReversePortable, "sse2"};
#endif
#if defined(VBLIT_AVX2)
const Kernels kAvx2 = {KeyForwardAvx2, CopyReverseAvx2, KeyReverseAvx2, "avx2"};
#endif

const Kernels* Find(const char* name)
{
    const std::string_view wanted = name ? name : "";
#if defined(VBLIT_AVX2)
    if (wanted == "avx2" && __builtin_cpu_supports("avx2"))
        return &kAvx2;
#endif
#if defined(VBLIT_X86)
    if (wanted == "sse2")
        return &kSse2;
#endif
    if (wanted == "portable")
        return &kPortable;
    return nullptr;
}

const Kernels* Widest()
{
    for (const char* name : {"avx2", "sse2", "portable"})
        if (const Kernels* k = Find(name))
            return k;
    return &kPortable;
}

const Kernels*& Current()
{
    static const Kernels* kernels = Widest();
    return kernels;
}

const Kernels& Chosen()
{
    return *Current();
}

}  // namespace

void CopyForward(uint8_t* dest, const uint8_t* source, size_t count)
{
    std::memcpy(dest, source, count);
}

void CopyReverse(uint8_t* dest, const uint8_t* last, size_t count)
{
    Chosen().copyReverse(dest, last, count);
}

void KeyForward(uint8_t* dest, const uint8_t* source, size_t count, uint8_t key)
{
    Chosen().keyForward(dest, source, count, key);
}

void KeyReverse(uint8_t* dest, const uint8_t* last, size_t count, uint8_t key)
{
    Chosen().keyReverse(dest, last, count, key);
}

void Gather(uint8_t* dest, const uint8_t* row, const int32_t* columns, size_t count)
{
    size_t k = 0;
    for (; k + 4 <= count; k += 4) {
        uint8_t a = row[columns[k]], b = row[columns[k + 1]];
        uint8_t c = row[columns[k + 2]], d = row[columns[k + 3]];
        dest[k] = a;
        dest[k + 1] = b;
        dest[k + 2] = c;
        dest[k + 3] = d;
    }
    for (; k < count; ++k)
        dest[k] = row[columns[k]];
}

void KeyGather(uint8_t* dest, const uint8_t* row, const int32_t* columns, size_t count, uint8_t key)
{
    for (size_t k = 0; k < count; ++k) {
        uint8_t v = row[columns[k]];
        dest[k] = v == key ? dest[k] : v;
    }
}

const char* KernelSet()
{
    return Chosen().name;
}

bool Avx2Kernels()
{
#if defined(VBLIT_AVX2)
    return Current() == &kAvx2;
#else
    return false;
#endif
}

bool UseKernelSet(const char* name)
{
    const Kernels* k = Find(name);
    if (k)
        Current() = k;
    return k != nullptr;
}

}  // namespace VBlitRows
