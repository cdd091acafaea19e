// The breed database "ConvixData1.mdb" read with mdbtools. Every record is read as field
// texts and mapped by breedRecordFromFields, the mapping the tests exercise. mdbtools (and
// glib) come in only with -DPLUMETRA_MDB=ON; without it no database is read and the breed
// text file serves.

#include "model/breed_data.h"

#include <algorithm>

#ifdef PLUMETRA_WITH_MDB
#include <glib.h>  // mdbtools.h needs glib first
#include <mdbtools.h>
#endif

namespace plumetra {

#ifdef PLUMETRA_WITH_MDB
namespace {

using Row = std::vector<std::string>;

// Every record of a table as field texts, in column order; empty when the table is missing.
std::vector<Row> readTable(MdbHandle* mdb, const char* name) {
  std::vector<Row> rows;
  std::string tableName(name);
  MdbTableDef* table = mdb_read_table_by_name(mdb, tableName.data(), MDB_TABLE);
  if (!table) return rows;
  if (mdb_read_columns(table) && mdb_rewind_table(table) == 0) {
    const unsigned columns = table->num_cols;
    std::vector<std::vector<char>> buffers(columns, std::vector<char>(MDB_BIND_SIZE, '\0'));
    std::vector<int> lengths(columns, 0);
    for (unsigned c = 0; c < columns; ++c)
      mdb_bind_column(table, static_cast<int>(c + 1), buffers[c].data(), &lengths[c]);
    while (mdb_fetch_row(table)) {
      Row row;
      for (unsigned c = 0; c < columns; ++c)
        row.emplace_back(buffers[c].data(), static_cast<size_t>(std::max(lengths[c], 0)));
      rows.push_back(std::move(row));
    }
  }
  mdb_free_tabledef(table);
  return rows;
}

}  // namespace

bool readBreedDatabase(ModelState& model, const std::filesystem::path& path, Dialogs& dialogs) {
  MdbHandle* mdb = mdb_open(path.string().c_str(), MDB_NOFLAGS);
  if (!mdb) return false;
  if (!mdb_read_catalog(mdb, MDB_TABLE)) {
    mdb_close(mdb);
    return false;
  }
  int stored = 0, refused = 0;
  for (const Row& row : readTable(mdb, "BreedData")) {
    auto record = breedRecordFromFields(row);
    if (record && storeBreedRecord(model, *record)) {
      model.settings.breedCount = record->index;
      ++stored;
    } else {
      ++refused;
    }
  }
  mdb_close(mdb);
  if (refused > 0)
    dialogs.message("The breed database " + path.string() + " holds " + std::to_string(refused) +
                    " breed records outside breeds 0 to " + std::to_string(MaxBreeds - 1) +
                    " and sexes 1 and 2; they were not read.");
  return stored > 0;
}

#else

bool readBreedDatabase(ModelState&, const std::filesystem::path&, Dialogs&) { return false; }

#endif

}  // namespace plumetra
