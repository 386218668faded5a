// The program-wide prompt is asked from worker threads (parameter transfer,
// fault journal, recording): ScriptedPrompt and the prompt switch must be
// safe under concurrent use.
#include "app/Prompt.h"
#include "app/ScriptedPrompt.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace relvo7 {
namespace {

TEST(PromptThreads, ScriptedAnswersAreHandedOutOnceEach)
{
    constexpr int kThreads = 4;
    constexpr int kPerThread = 50;
    ScriptedPrompt scripted;
    for (int i = 0; i < kThreads * kPerThread; ++i)
        scripted.addAnswer(i % 2 ? PromptYes : PromptNo);
    ScopedPrompt installed(scripted);

    std::atomic<int> yes{0}, no{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < kPerThread; ++i) {
                const PromptButton b = prompt().ask({QStringLiteral("Uwaga"), QStringLiteral("?"),
                                                     PromptIcon::Question, PromptYes | PromptNo, PromptNo});
                (b == PromptYes ? yes : no)++;
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(yes.load(), kThreads * kPerThread / 2);
    EXPECT_EQ(no.load(), kThreads * kPerThread / 2);
    EXPECT_EQ(scripted.shown().size(), kThreads * kPerThread);
    EXPECT_EQ(scripted.unscripted(), 0);
}

TEST(PromptThreads, WithoutAPromptTheDefaultButtonAnswers)
{
    setPrompt(nullptr);
    EXPECT_EQ(prompt().ask({QStringLiteral("Uwaga"), QStringLiteral("test"), PromptIcon::Warning,
                            PromptYes | PromptNo, PromptNo}),
              PromptNo);
}

} // namespace
} // namespace relvo7
