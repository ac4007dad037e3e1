// RescueBytes.cpp - rescue files built and parsed byte by byte.
#include <support/RescueBytes.h>

#include <cstring>

std::string Le32(uint32_t value) {
    std::string bytes(4, '\0');
    memcpy(bytes.data(), &value, 4);
    return bytes;
}

uint32_t ReadLe32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    if (at + 4 <= bytes.size()) memcpy(&value, bytes.data() + at, 4);
    return value;
}

std::string EntryBytes(const std::string& name, uint32_t type, const std::string& data) {
    std::string named = name.empty() ? std::string() : name + '\0';
    return Le32(static_cast<uint32_t>(12 + named.size() + data.size())) +
           Le32(static_cast<uint32_t>(name.size())) + Le32(type) +
           Le32(static_cast<uint32_t>(data.size())) + named + data;
}

std::string EmptyKeyEntryBytes() { return Le32(12) + Le32(0) + Le32(0) + Le32(0); }

std::string RecordBytes(const std::string& path, const std::vector<std::string>& entries,
                        int64_t count) {
    std::string body = Le32(static_cast<uint32_t>(path.size())) + path + '\0';
    for (const std::string& entry : entries) body += entry;
    uint32_t counted =
        count < 0 ? static_cast<uint32_t>(entries.size()) : static_cast<uint32_t>(count);
    return Le32(static_cast<uint32_t>(body.size() + 4)) + Le32(counted) + body;
}

std::string HeaderBytes(uint32_t counter) { return Le32(0xFFFFE55E) + Le32(counter); }

std::string FileBytes(const std::vector<std::string>& records) {
    std::string file = HeaderBytes(static_cast<uint32_t>(records.size()));
    for (const std::string& record : records) file += record;
    return file;
}

std::vector<ParsedRecord> ParseRecords(const std::string& file) {
    std::vector<ParsedRecord> records;
    size_t at = 8;
    while (at + 12 <= file.size()) {
        uint32_t size = ReadLe32(file, at);
        size_t end = at + 4 + size;
        if (size < 9 || end > file.size()) break;
        ParsedRecord record{at, {}, ReadLe32(file, at + 4), {}};
        uint32_t pathLength = ReadLe32(file, at + 8);
        record.path = file.substr(at + 12, pathLength);
        size_t entry = at + 13 + pathLength;
        for (uint32_t i = 0; i < record.count && entry + 16 <= end; ++i) {
            uint32_t nameLength = ReadLe32(file, entry + 4);
            uint32_t dataSize = ReadLe32(file, entry + 12);
            size_t data = entry + 16 + (nameLength ? nameLength + 1 : 0);
            record.entries.push_back({file.substr(entry + 16, nameLength),
                                      ReadLe32(file, entry + 8), file.substr(data, dataSize)});
            entry += 4 + ReadLe32(file, entry);
        }
        records.push_back(record);
        at = end;
    }
    return records;
}

std::vector<std::string> RecordPaths(const std::string& file) {
    std::vector<std::string> paths;
    for (const ParsedRecord& record : ParseRecords(file)) paths.push_back(record.path);
    return paths;
}
