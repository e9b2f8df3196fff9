// A Windows executable read as a file, on any host: its headers, the DLLs it
// imports and its resources. Enough of the PE format for checking what the
// build put into MX.EXE, whichever Windows build it is and whether or not
// this machine can run it.
#ifndef MX_PE_FILE_H
#define MX_PE_FILE_H

#include <stdint.h>

#include <string>
#include <vector>

// A resource's name: a number, or a string (upper case, as the resource
// compiler stores it).
struct ResourceName {
    uint16_t id = 0;
    std::u16string text;
};
ResourceName ResourceId(uint16_t id);
ResourceName ResourceText(const char *text);

class PeFile {
public:
    // Reads the whole file; error() says what was wrong, if anything.
    explicit PeFile(const std::string &path);

    const std::string &error() const { return error_; }
    uint16_t machine() const { return machine_; }
    bool is64Bit() const { return is64Bit_; }
    uint16_t subsystem() const { return subsystem_; }
    // The imported DLLs' names, in upper case, in the order of the table.
    std::vector<std::string> Imports() const;
    // The names of the resources of one type.
    std::vector<ResourceName> ResourceNames(uint16_t type) const;
    // The bytes of a resource, in its first language; empty when missing.
    std::string Resource(uint16_t type, const ResourceName &name) const;

private:
    struct Section {
        uint32_t address, size, offset;
    };
    // The file offset of a relative virtual address, or 0 outside every section.
    uint32_t Offset(uint32_t rva) const;
    uint16_t U16(uint32_t offset) const;
    uint32_t U32(uint32_t offset) const;
    // The entries of the resource directory at `offset` from the resource root.
    std::vector<std::pair<ResourceName, uint32_t>> Directory(uint32_t offset) const;
    uint32_t Find(uint32_t directory, const ResourceName &name) const;

    std::string bytes_;
    std::string error_;
    uint16_t machine_ = 0;
    bool is64Bit_ = false;
    uint16_t subsystem_ = 0;
    uint32_t importRva_ = 0, resourceRva_ = 0;
    std::vector<Section> sections_;
};

// One block of a version resource: its key, its value's bytes and children.
struct VersionBlock {
    std::u16string key;
    std::string value;
    std::vector<VersionBlock> children;

    // The child at a path of keys ("StringFileInfo", "040904E4", ...), or null.
    const VersionBlock *Find(std::initializer_list<const char *> path) const;
    // The value read as a NUL-terminated text.
    std::u16string Text() const;
};
VersionBlock ParseVersion(const std::string &resource);

std::u16string Utf16(const char *text);

#endif
