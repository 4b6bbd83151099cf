#include "encoders/ClauseWriter.h"

ClauseWriter::ClauseWriter(FILE* out) : out(out)
{
    filling = &blocks[0];
    if (out != nullptr)
        filling->data.reset(new int32_t[BlockSize]);
}

ClauseWriter::~ClauseWriter()
{
    flush();
}

void ClauseWriter::endLine()
{
    flush();
    if (lineOpen && out != nullptr)
        std::fputc('\n', out);
    lineOpen = false;
}

void ClauseWriter::newLine()
{
    flush();
    if (out != nullptr)
        std::fputc('\n', out);
    lineOpen = false;
}

void ClauseWriter::handOver()
{
    filling->size = filled;
    {
        std::unique_lock<std::mutex> guard(lock);
        ++waiting;
        changed.notify_all();
        changed.wait(guard, [this] { return waiting < Blocks; });
        filling = &blocks[(next + waiting) % Blocks];
    }
    if (!worker.joinable())
        worker = std::thread(&ClauseWriter::run, this);
    if (filling->data == nullptr)
        filling->data.reset(new int32_t[BlockSize]);
    filled = 0;
}

void ClauseWriter::flush()
{
    if (filled != 0)
        handOver();
    if (!worker.joinable())
        return;
    {
        std::lock_guard<std::mutex> guard(lock);
        stopping = true;
    }
    changed.notify_all();
    worker.join();
    stopping = false;
}

void ClauseWriter::run()
{
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
        changed.wait(guard, [this] { return waiting != 0 || stopping; });
        if (waiting == 0)
            return;
        // The block stays counted as waiting, so the caller leaves it alone.
        const Block& block = blocks[next];
        guard.unlock();
        write(block);
        guard.lock();
        next = (next + 1) % Blocks;
        --waiting;
        changed.notify_all();
    }
}

void ClauseWriter::write(const Block& block)
{
    // Lines are put together in a buffer and written a buffer at a time.
    constexpr std::size_t Capacity = std::size_t(1) << 16;
    // Room for one literal, or for a newline, a "0" and a newline.
    constexpr std::size_t Reserve = 3 + DimacsText::LiteralWidth;
    char buffer[Capacity];
    char* end = buffer;
    bool open = block.startsOpen;
    for (std::size_t i = 0; i < block.size;) {
        const int32_t word = block.data[i++];
        const std::size_t stop = i + (static_cast<uint32_t>(word) >> 2);
        if ((word & NewClause) != 0 && open)
            *end++ = '\n';
        open = true;
        for (; i < stop; ++i) {
            if (static_cast<std::size_t>(end - buffer) + Reserve > Capacity) {
                std::fwrite(buffer, 1, static_cast<std::size_t>(end - buffer), out);
                end = buffer;
            }
            end = DimacsText::appendLiteral(end, block.data[i]);
        }
        if ((word & EndsClause) != 0)
            *end++ = '0';
        if (static_cast<std::size_t>(end - buffer) + Reserve > Capacity) {
            std::fwrite(buffer, 1, static_cast<std::size_t>(end - buffer), out);
            end = buffer;
        }
    }
    std::fwrite(buffer, 1, static_cast<std::size_t>(end - buffer), out);
}
