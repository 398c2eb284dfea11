#pragma once
// A table as a SQLite database image: the payload of a log file. Two tables,
// "fields" (position, name, kind, max_length) and "records" (position and one
// column f1..fN per field, texts as BLOBs of GBK bytes), both STRICT.

#include <string>
#include <string_view>

#include "log/table_data.h"

namespace paylog {

struct ImageResult {
    std::string image;
    std::string problem;  // empty on success
};
ImageResult tableToImage(const TableData& table);

struct TableResult {
    TableData table;
    std::string problem;  // empty when the image held a sound table
};
// Runs PRAGMA quick_check and checks every value against its field, so a
// damaged or crafted image never yields a wrong record.
TableResult tableFromImage(std::string_view image);

}  // namespace paylog
