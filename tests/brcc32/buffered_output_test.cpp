// The output buffer of the COFF writer: whatever the sizes of the pieces, the stream gets them whole and in order,
// and a stream that refuses bytes is an error, never a short file.
#include "brcc32/output/buffered_output.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace brcc::test {
namespace {

// Takes `room` bytes, then refuses.
class FullDisk : public std::streambuf {
public:
    explicit FullDisk(std::size_t room) : m_room(room) {}

protected:
    std::streamsize xsputn(const char*, std::streamsize count) override {
        const auto taken = std::min<std::streamsize>(count, static_cast<std::streamsize>(m_room));
        m_room -= static_cast<std::size_t>(taken);
        return taken;
    }

private:
    std::size_t m_room;
};

struct PiecesRow {
    const char* what;
    std::vector<std::size_t> pieces;
};

const std::vector<PiecesRow> kPieces = {
    {"small pieces", {1, 2, 3, 0, 4}},
    {"filling the buffer to the byte, then over it", {100, 262044, 1, 7}},
    {"one piece larger than the buffer", {300000}},
    {"small, large, small", {5, 600000, 5}},
    {"exactly the buffer twice", {262144, 262144}},
    {"filling a 64 KiB block to the byte, then over it", {100, 65436, 1, 7}},
    {"exactly 64 KiB twice, then one byte", {65536, 65536, 1}},
    {"one byte short of 64 KiB, then two", {65535, 2}},
};

TEST(BufferedOutput, HandsOverEveryPieceInOrder) {
    for (const PiecesRow& row : kPieces) {
        std::stringbuf stream;
        BufferedOutput out(stream);
        std::string expected;
        for (std::size_t i = 0; i < row.pieces.size(); ++i) {
            std::vector<std::uint8_t> piece(row.pieces[i]);
            for (std::size_t k = 0; k < piece.size(); ++k) {
                piece[k] = static_cast<std::uint8_t>(i * 31 + k);
            }
            out.Put(piece);
            expected.append(piece.begin(), piece.end());
            EXPECT_EQ(out.Position(), expected.size()) << row.what;
        }
        out.Flush();
        EXPECT_EQ(stream.str(), expected) << row.what;
    }
}

TEST(BufferedOutput, FieldsAndPaddingFromAnOrigin) {
    struct Row {
        std::size_t before;
        std::uint64_t alignment;
        std::uint64_t origin;
        std::size_t zeros;
    };
    const std::vector<Row> rows = {
        {0, 8, 0, 0}, {1, 8, 0, 7}, {8, 8, 0, 0}, {9, 4, 0, 3}, {104, 4, 100, 0}, {105, 4, 100, 3}, {3, 8, 1, 6},
    };
    for (const Row& row : rows) {
        std::stringbuf stream;
        BufferedOutput out(stream);
        out.PutZeros(row.before);
        out.PadTo(row.alignment, row.origin);
        EXPECT_EQ(out.Position(), row.before + row.zeros) << row.before << " " << row.alignment << " " << row.origin;
    }
    std::stringbuf stream;
    BufferedOutput out(stream);
    out.PutU16(0x1234);
    out.PutU32(0xA1B2C3D4u);
    out.Flush();
    EXPECT_EQ(stream.str(), std::string("\x34\x12\xD4\xC3\xB2\xA1", 6));
}

TEST(BufferedOutput, OverwritesTheStartKeepingTheRest) {
    std::stringbuf stream;
    BufferedOutput out(stream);
    out.PutZeros(4);
    out.Put(std::vector<std::uint8_t>{'r', 'e', 's', 't'});
    const std::vector<std::uint8_t> start = {'h', 'e', 'a', 'd'};
    EXPECT_THROW(out.OverwriteStart(start), std::logic_error);  // the start is still in the buffer
    out.Flush();
    out.OverwriteStart(start);
    EXPECT_EQ(stream.str(), "headrest");
}

TEST(BufferedOutput, AFullDiskIsAnError) {
    for (const std::size_t room : {0, 10, 65535, 65536, 262143}) {
        FullDisk disk(room);
        BufferedOutput out(disk);
        EXPECT_THROW(
            {
                out.PutZeros(262144 + 1);
                out.Flush();
            },
            std::runtime_error)
            << room;
    }
}

}  // namespace
}  // namespace brcc::test
