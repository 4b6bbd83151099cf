#include "encoders/ClauseWriter.h"

#include <utility>

#include "encoders/DimacsText.h"

namespace {

// Literals (with their counts) per block, and blocks that may wait for the
// thread before add() waits too.
constexpr std::size_t BlockSize = std::size_t(1) << 18;
constexpr std::size_t MaxWaitingBlocks = 4;

}

ClauseWriter::ClauseWriter(FILE* out, bool lineOpen) : out(out), lineOpen(lineOpen)
{
    filling.reserve(BlockSize);
    worker = std::thread(&ClauseWriter::run, this);
}

ClauseWriter::~ClauseWriter()
{
    finish();
}

// A clause is stored as its literal count followed by its literals.
void ClauseWriter::add(const long* literals, std::size_t count)
{
    if (filling.size() + count + 1 > BlockSize && !filling.empty())
        handOver();
    const std::size_t at = filling.size();
    filling.resize(at + count + 1);
    int32_t* slot = filling.data() + at;
    *slot++ = static_cast<int32_t>(count);
    for (std::size_t i = 0; i < count; ++i)
        slot[i] = static_cast<int32_t>(literals[i]);
}

void ClauseWriter::handOver()
{
    std::unique_lock<std::mutex> guard(lock);
    changed.wait(guard, [this] { return full.size() < MaxWaitingBlocks; });
    full.push_back(std::move(filling));
    if (!spare.empty()) {
        filling = std::move(spare.back());
        spare.pop_back();
    } else {
        filling = Block();
    }
    filling.clear();
    filling.reserve(BlockSize);
    changed.notify_all();
}

void ClauseWriter::finish()
{
    if (!worker.joinable())
        return;
    if (!filling.empty())
        handOver();
    {
        std::lock_guard<std::mutex> guard(lock);
        stopping = true;
    }
    changed.notify_all();
    worker.join();
}

void ClauseWriter::run()
{
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
        changed.wait(guard, [this] { return !full.empty() || stopping; });
        if (full.empty())
            return;
        Block block = std::move(full.front());
        full.pop_front();
        changed.notify_all();
        guard.unlock();
        write(block);
        guard.lock();
        spare.push_back(std::move(block));
    }
}

void ClauseWriter::write(const Block& block)
{
    // Lines are put together in a buffer and written a buffer at a time.
    constexpr std::size_t Capacity = 1 << 16;
    constexpr std::size_t Reserve = 2 + DimacsText::LiteralWidth;
    char buffer[Capacity];
    char* end = buffer;
    for (std::size_t i = 0; i < block.size();) {
        const std::size_t count = static_cast<std::size_t>(block[i++]);
        if (lineOpen)
            *end++ = '\n';
        lineOpen = true;
        for (std::size_t k = 0; k < count; ++k, ++i) {
            if (static_cast<std::size_t>(end - buffer) + Reserve > Capacity) {
                std::fwrite(buffer, 1, end - buffer, out);
                end = buffer;
            }
            end = DimacsText::appendLiteral(end, block[i]);
        }
        if (static_cast<std::size_t>(end - buffer) + Reserve > Capacity) {
            std::fwrite(buffer, 1, end - buffer, out);
            end = buffer;
        }
        *end++ = '0';
    }
    std::fwrite(buffer, 1, end - buffer, out);
}
