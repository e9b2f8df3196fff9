#include "tests/exe/pe_file.h"

#include <ctype.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

const uint32_t PE_SIGNATURE = 0x00004550;  // "PE\0\0"
const uint16_t PE32_PLUS_MAGIC = 0x20b;
const int IMPORT_DIRECTORY = 1;
const int RESOURCE_DIRECTORY = 2;
const uint32_t RESOURCE_SUBDIRECTORY = 0x80000000;
const uint32_t RESOURCE_NAMED = 0x80000000;

uint32_t AlignUp4(uint32_t offset) { return (offset + 3) & ~3u; }

}  // namespace

ResourceName ResourceId(uint16_t id)
{
    ResourceName name;
    name.id = id;
    return name;
}

ResourceName ResourceText(const char *text)
{
    ResourceName name;
    name.text = Utf16(text);
    return name;
}

std::u16string Utf16(const char *text)
{
    std::u16string wide;
    for (; *text; ++text)
        wide += char16_t(static_cast<unsigned char>(*text));
    return wide;
}

PeFile::PeFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error_ = "cannot read " + path + " (is that build made?)";
        return;
    }
    bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (bytes_.size() < 0x40 || bytes_.compare(0, 2, "MZ") != 0) {
        error_ = path + " is not an executable";
        return;
    }
    uint32_t nt = U32(0x3c);
    if (U32(nt) != PE_SIGNATURE) {
        error_ = path + " has no PE header";
        return;
    }
    machine_ = U16(nt + 4);
    uint16_t sectionCount = U16(nt + 6);
    uint16_t optionalSize = U16(nt + 20);
    uint32_t optional = nt + 24;
    is64Bit_ = U16(optional) == PE32_PLUS_MAGIC;
    subsystem_ = U16(optional + 68);
    uint32_t directories = optional + (is64Bit_ ? 112 : 96);
    importRva_ = U32(directories + 8 * IMPORT_DIRECTORY);
    resourceRva_ = U32(directories + 8 * RESOURCE_DIRECTORY);
    for (uint32_t s = optional + optionalSize, i = 0; i < sectionCount; ++i, s += 40)
        sections_.push_back({U32(s + 12), U32(s + 8), U32(s + 20)});
}

uint16_t PeFile::U16(uint32_t offset) const
{
    if (offset + 2 > bytes_.size())
        return 0;
    return uint16_t(uint8_t(bytes_[offset]) | uint8_t(bytes_[offset + 1]) << 8);
}

uint32_t PeFile::U32(uint32_t offset) const
{
    return U16(offset) | uint32_t(U16(offset + 2)) << 16;
}

uint32_t PeFile::Offset(uint32_t rva) const
{
    for (const Section &s : sections_)
        if (rva >= s.address && rva < s.address + s.size)
            return rva - s.address + s.offset;
    return 0;
}

std::vector<std::string> PeFile::Imports() const
{
    std::vector<std::string> names;
    const uint32_t DESCRIPTOR_SIZE = 20, NAME_FIELD = 12;
    for (uint32_t d = Offset(importRva_); d && U32(d + NAME_FIELD); d += DESCRIPTOR_SIZE) {
        std::string name;
        for (uint32_t c = Offset(U32(d + NAME_FIELD)); c && c < bytes_.size() && bytes_[c]; ++c)
            name += char(toupper(static_cast<unsigned char>(bytes_[c])));
        names.push_back(name);
    }
    return names;
}

std::vector<std::pair<ResourceName, uint32_t>> PeFile::Directory(uint32_t offset) const
{
    std::vector<std::pair<ResourceName, uint32_t>> entries;
    uint32_t root = Offset(resourceRva_);
    if (!root)
        return entries;
    uint32_t directory = root + offset;
    int count = U16(directory + 12) + U16(directory + 14);  // named, then numbered
    for (uint32_t e = directory + 16; count-- > 0; e += 8) {
        ResourceName name;
        uint32_t field = U32(e);
        if (field & RESOURCE_NAMED) {
            uint32_t text = root + (field & ~RESOURCE_NAMED);
            for (uint16_t i = 0, length = U16(text); i < length; ++i)
                name.text += char16_t(U16(text + 2 + 2 * i));
        } else {
            name.id = uint16_t(field);
        }
        entries.emplace_back(name, U32(e + 4));
    }
    return entries;
}

uint32_t PeFile::Find(uint32_t directory, const ResourceName &name) const
{
    for (const auto &entry : Directory(directory))
        if (entry.first.id == name.id && entry.first.text == name.text)
            return entry.second;
    return 0;
}

std::vector<ResourceName> PeFile::ResourceNames(uint16_t type) const
{
    std::vector<ResourceName> names;
    uint32_t names_directory = Find(0, ResourceId(type));
    if (names_directory & RESOURCE_SUBDIRECTORY)
        for (const auto &entry : Directory(names_directory & ~RESOURCE_SUBDIRECTORY))
            names.push_back(entry.first);
    return names;
}

std::string PeFile::Resource(uint16_t type, const ResourceName &name) const
{
    uint32_t names_directory = Find(0, ResourceId(type));
    if (!(names_directory & RESOURCE_SUBDIRECTORY))
        return "";
    uint32_t languages = Find(names_directory & ~RESOURCE_SUBDIRECTORY, name);
    if (!(languages & RESOURCE_SUBDIRECTORY))
        return "";
    auto entries = Directory(languages & ~RESOURCE_SUBDIRECTORY);
    if (entries.empty() || (entries[0].second & RESOURCE_SUBDIRECTORY))
        return "";
    uint32_t data = Offset(resourceRva_) + entries[0].second;
    uint32_t offset = Offset(U32(data)), size = U32(data + 4);
    if (!offset || offset + size > bytes_.size())
        return "";
    return bytes_.substr(offset, size);
}

namespace {

uint16_t Word(const std::string &bytes, uint32_t offset)
{
    if (offset + 2 > bytes.size())
        return 0;
    return uint16_t(uint8_t(bytes[offset]) | uint8_t(bytes[offset + 1]) << 8);
}

// A block: its length, its value's length (in words when it is text), its
// type (1: text), its key, then its value and its children, each aligned to
// four bytes.
VersionBlock ParseBlock(const std::string &bytes, uint32_t start, uint32_t end)
{
    VersionBlock block;
    uint32_t length = Word(bytes, start);
    uint32_t valueLength = Word(bytes, start + 2);
    bool text = Word(bytes, start + 4) == 1;
    uint32_t blockEnd = std::min<uint32_t>(start + length, end);
    uint32_t p = start + 6;
    for (; p + 2 <= blockEnd && Word(bytes, p); p += 2)
        block.key += char16_t(Word(bytes, p));
    p = AlignUp4(p + 2);
    uint32_t valueBytes = text ? 2 * valueLength : valueLength;
    if (p + valueBytes <= blockEnd)
        block.value = bytes.substr(p, valueBytes);
    for (p = AlignUp4(p + valueBytes); p + 6 <= blockEnd && Word(bytes, p);) {
        uint32_t childLength = Word(bytes, p);
        block.children.push_back(ParseBlock(bytes, p, blockEnd));
        p = AlignUp4(p + childLength);
    }
    return block;
}

}  // namespace

VersionBlock ParseVersion(const std::string &resource)
{
    return ParseBlock(resource, 0, uint32_t(resource.size()));
}

const VersionBlock *VersionBlock::Find(std::initializer_list<const char *> path) const
{
    const VersionBlock *block = this;
    for (const char *key : path) {
        const VersionBlock *next = nullptr;
        for (const VersionBlock &child : block->children)
            if (child.key == Utf16(key))
                next = &child;
        if (!next)
            return nullptr;
        block = next;
    }
    return block;
}

std::u16string VersionBlock::Text() const
{
    std::u16string text;
    for (uint32_t i = 0; i + 1 < value.size(); i += 2) {
        char16_t c = char16_t(Word(value, i));
        if (!c)
            break;
        text += c;
    }
    return text;
}
