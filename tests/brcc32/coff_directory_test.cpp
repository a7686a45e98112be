// The resource directory of our COFF objects against llvm-cvtres' on the same .res: llvm-readobj reports every
// table, entry and text offset and each resource's data, so the two reports must match but for where the directory
// lies in the file. The .res files are built here, byte by byte, to hold names no script could.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "brcc32/byte_order.h"
#include "brcc32/output/coff_writer.h"
#include "resource_lines.h"
#include "test_folder.h"

namespace brcc::test {
namespace {

// A type or name: text when `text` is not empty, else the ordinal.
struct Id {
    std::u16string text;
    std::uint16_t ordinal = 0;
};

Id N(std::uint16_t ordinal) { return {u"", ordinal}; }
Id T(std::u16string text) { return {std::move(text), 0}; }

struct Resource {
    Id type;
    Id name;
    std::uint16_t language = 0x409;
    std::size_t dataSize = 3;
};

void PutId(std::vector<std::uint8_t>& header, const Id& id) {
    if (id.text.empty()) {
        PutU16(header, 0xFFFF);
        PutU16(header, id.ordinal);
        return;
    }
    PutUtf16(header, id.text, true);
}

void PutEntry(std::vector<std::uint8_t>& res, const Resource& resource, std::uint8_t fill) {
    std::vector<std::uint8_t> header(8);
    PutId(header, resource.type);
    PutId(header, resource.name);
    header.resize((header.size() + 3) & ~std::size_t{3});
    PutU32(header, 0);  // data version
    PutU16(header, 0x30);
    PutU16(header, resource.language);
    PutU32(header, 0);
    PutU32(header, 0);
    WriteU32(header.data(), static_cast<std::uint32_t>(resource.dataSize));
    WriteU32(header.data() + 4, static_cast<std::uint32_t>(header.size()));
    res.insert(res.end(), header.begin(), header.end());
    for (std::size_t i = 0; i < resource.dataSize; ++i) {
        res.push_back(static_cast<std::uint8_t>(fill + i));
    }
    res.resize((res.size() + 3) & ~std::size_t{3});
}

std::vector<std::uint8_t> MakeRes(const std::vector<Resource>& resources) {
    std::vector<std::uint8_t> res;
    PutEntry(res, {N(0), N(0), 0, 0}, 0);
    for (std::size_t i = 0; i < resources.size(); ++i) {
        PutEntry(res, resources[i], static_cast<std::uint8_t>(i * 16));
    }
    return res;
}

// The object, the .res handed over in pieces of `piece` bytes as a stream may cut it.
std::string ObjectOf(const std::vector<std::uint8_t>& res, Machine machine, std::size_t piece) {
    std::stringbuf object;
    CoffWriter writer(object, machine);
    for (std::size_t at = 0; at < res.size(); at += piece) {
        const std::size_t size = std::min(piece, res.size() - at);
        writer.sputn(reinterpret_cast<const char*>(res.data() + at), static_cast<std::streamsize>(size));
    }
    writer.Finish();
    return object.str();
}

// llvm-readobj's report without the lines that name the file and say where the directory starts.
std::string Report(const TestFolder& folder, const std::string& file) {
    std::istringstream in(Capture(folder.Path(), "llvm-readobj --coff-resources " + file));
    std::string report;
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with("File:") && line.find("Base Table Address:") == std::string::npos) {
            report += line + "\n";
        }
    }
    return report;
}

struct OrderRow {
    const char* what;
    std::vector<Resource> resources;
};

const std::vector<OrderRow> kOrders = {
    {"texts before ordinals, ordinals by value",
     {{N(10), N(300)}, {T(u"ZETA"), N(2)}, {N(3), N(1)}, {N(10), T(u"NAME")}, {N(10), N(7)}, {T(u"ALPHA"), N(1)}}},
    {"texts by UTF-16 unit: upper before lower, a prefix first, beyond ASCII last",
     {{N(10), T(u"b")},
      {N(10), T(u"B")},
      {N(10), T(u"AB")},
      {N(10), T(u"A")},
      {N(10), T(u"ABC")},
      {N(10), T(u"\u00C4")},
      {N(10), T(u"\u20AC")},
      {N(10), T(u"Z")}}},
    {"equal-length type texts, alternating, each gathered under one type",
     {{T(u"AB"), N(1)}, {T(u"AC"), N(1)}, {T(u"AB"), N(2)}, {T(u"AC"), N(2)}, {T(u"AB"), T(u"X")}}},
    {"languages of one name by value, and the same name under two types",
     {{N(10), T(u"CONFIG"), 0x40C}, {N(10), T(u"CONFIG"), 0x409}, {N(10), T(u"CONFIG"), 0}, {N(23), T(u"CONFIG"), 7}}},
    {"data of every size around the 8-byte alignment",
     {{N(10), N(1), 0x409, 0},
      {N(10), N(2), 0x409, 1},
      {N(10), N(3), 0x409, 7},
      {N(10), N(4), 0x409, 8},
      {N(10), N(5), 0x409, 9},
      {N(10), N(6), 0x409, 4096}}},
};

TEST(CoffDirectory, LaidOutAsLlvmCvtresLaysItOut) {
    TestFolder folder;
    for (std::size_t row = 0; row < kOrders.size(); ++row) {
        const std::string res = "r" + std::to_string(row) + ".res";
        folder.Write(res, MakeRes(kOrders[row].resources));
        folder.Write("ours.obj", ObjectOf(folder.Read(res), Machine::kX86, 1 << 20));
        ASSERT_EQ(RunIn(folder.Path(), "llvm-cvtres /machine:x86 /out:theirs.obj " + res).exitCode, 0);
        EXPECT_EQ(Report(folder, "ours.obj"), Report(folder, "theirs.obj")) << kOrders[row].what;
    }
}

// A header or data cut anywhere between two writes gives the same object as the .res in one piece.
TEST(CoffDirectory, TheSameObjectHoweverTheResIsCut) {
    std::vector<Resource> all;
    for (const OrderRow& row : kOrders) {
        for (std::size_t i = 0; i < row.resources.size(); ++i) {
            Resource resource = row.resources[i];
            resource.language = static_cast<std::uint16_t>(all.size());  // no two alike
            all.push_back(resource);
        }
    }
    const std::vector<std::uint8_t> res = MakeRes(all);
    const std::string whole = ObjectOf(res, Machine::kArm64, res.size());
    for (const std::size_t piece : {1, 2, 5, 31, 4097}) {
        EXPECT_EQ(ObjectOf(res, Machine::kArm64, piece), whole) << piece;
    }
}

struct RefusalRow {
    const char* what;
    std::vector<Resource> resources;
    const char* message;
};

std::vector<RefusalRow> Refusals() {
    std::vector<Resource> manyNames;
    for (int i = 0; i <= 0xFFFF; ++i) {
        const std::string digits = std::to_string(i);
        manyNames.push_back({N(10), T(std::u16string(digits.begin(), digits.end())), 0x409, 0});
    }
    return {
        {"a duplicate whose type text is not the one before",
         {{T(u"DATA"), T(u"A")}, {T(u"DATA"), T(u"B")}, {N(10), N(1)}, {T(u"DATA"), T(u"A")}},
         "duplicate resource: type DATA, name A, language 0409"},
        {"a name longer than a directory text can count", {{N(10), T(std::u16string(0x10000, u'x'))}}, "too long"},
        {"more names under one type than a table can count", manyNames, "more than 65535"},
    };
}

TEST(CoffDirectory, RefusesWhatNoTableCouldHold) {
    for (const RefusalRow& row : Refusals()) {
        try {
            ObjectOf(MakeRes(row.resources), Machine::kX64, 1 << 16);
            ADD_FAILURE() << row.what;
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(row.message), std::string::npos)
                << row.what << ": " << error.what();
        }
    }
}

}  // namespace
}  // namespace brcc::test
