// The matching of two grabs 3840 pixels wide against one memcmp pass over both, natively.
// Prints medians; no sanitizers, -O2.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "core/ScrollMatch.h"

namespace {

constexpr std::int32_t kWidth = 3840, kHeight = 2160, kDocument = 3 * kHeight;

// A page of text: lines 24 rows apart, each 14 rows of scattered dark pixels, white between.
std::vector<std::uint32_t> TextPage(std::int32_t plainEvery)
{
    std::vector<std::uint32_t> page(static_cast<size_t>(kWidth) * kDocument, 0xFFFFFF);
    std::mt19937 random(1);
    std::uniform_int_distribution<int> ink(0, 5);
    for (std::int32_t y = 0; y < kDocument; ++y) {
        const std::int32_t line = y / 24;
        if (y % 24 >= 14 || (plainEvery && line % plainEvery != 0)) continue;
        for (std::int32_t x = 0; x < kWidth - 200; ++x)
            if (ink(random) == 0) page[static_cast<size_t>(y) * kWidth + static_cast<size_t>(x)] = 0x202020;
    }
    return page;
}

core::PixelView At(std::vector<std::uint32_t>& page, std::int32_t scroll)
{
    return {page.data() + static_cast<size_t>(scroll) * kWidth, kWidth, kHeight, kWidth};
}

double Median(std::vector<double> t)
{
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

double Time(const std::function<void()>& work, int runs = 15)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return Median(times);
}

volatile int sink;

void Bench(const char* what, std::int32_t plainEvery, std::int32_t distance)
{
    std::vector<std::uint32_t> page = TextPage(plainEvery);
    std::vector<std::uint32_t> copy(page);
    // Two grabs in memory of their own, as the screen gives them.
    std::vector<std::uint32_t> first(At(page, 0).pixels, At(page, 0).pixels + static_cast<size_t>(kWidth) * kHeight);
    std::vector<std::uint32_t> second(At(page, distance).pixels,
                                      At(page, distance).pixels + static_cast<size_t>(kWidth) * kHeight);
    std::vector<std::uint32_t> firstCopy(first);
    const core::PixelView p{first.data(), kWidth, kHeight, kWidth}, n{second.data(), kWidth, kHeight, kWidth};
    std::vector<std::uint64_t> ph(kHeight), nh(kHeight);

    // The three are timed in turns, so that whatever else runs on the machine weighs on each
    // alike; the ratios are the medians of each turn's own.
    auto pass = [&] {
        int differ = 0;
        for (std::int32_t y = 0; y < kHeight; ++y)
            differ += std::memcmp(first.data() + static_cast<size_t>(y) * kWidth,
                                  firstCopy.data() + static_cast<size_t>(y) * kWidth, kWidth * 4) != 0;
        sink = differ;
    };
    core::StepMatch match{};
    auto whole = [&] {
        core::HashRows(p, ph);
        core::HashRows(n, nh);
        match = core::MatchStep({p, ph}, {n, nh}, 0, {});
    };
    auto step = [&] {
        core::HashRows(n, nh);
        match = core::MatchStep({p, ph}, {n, nh}, distance, {});
    };
    std::vector<double> passes, wholes, steps, wholeRatios, stepRatios;
    for (int i = 0; i < 15; ++i) {
        passes.push_back(Time(pass, 1));
        wholes.push_back(Time(whole, 1));
        core::HashRows(p, ph);
        steps.push_back(Time(step, 1));
        wholeRatios.push_back(wholes.back() / passes.back());
        stepRatios.push_back(steps.back() / passes.back());
    }
    const double hashOnly = Time([&] { core::HashRows(n, nh); });
    std::printf("%s, moved %d rows: %s\n", what, distance,
                match.move == core::Move::Moved && match.distance == distance ? "told" : "NOT TOLD");
    std::printf("  one memcmp pass over both grabs       %8.2f ms\n", Median(passes));
    std::printf("  both hashed, matched, verified        %8.2f ms  (%.2f x the pass)\n", Median(wholes),
                Median(wholeRatios));
    std::printf("  a capture's step (the new one hashed) %8.2f ms  (%.2f x)\n", Median(steps), Median(stepRatios));
    std::printf("  hashing one grab                      %8.2f ms\n", hashOnly);
}

}  // namespace

int main()
{
    std::printf("Two grabs of %d x %d (%.1f MB each), medians of 15 runs\n", kWidth, kHeight,
                kWidth * kHeight * 4 / 1048576.0);
    Bench("a page of text", 0, 1080);
    Bench("a page of text, the wheel's guess 40 rows off", 0, 1040);
    Bench("a sparse page (one line in 8)", 8, 700);
    return 0;
}
