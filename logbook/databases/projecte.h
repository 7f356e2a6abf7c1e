// ToProjecte (common::Service<ToProjecte>): the QSO field catalogue and the project cursor that
// the logbook code shares, with the number of the current project.
#pragma once

#include <cstdint>
#include <memory>

#include "logbook/databases/field_catalogue.h"
#include "logbook/databases/project_database.h"

namespace logbook {

class ToProjecte {
 public:
  // Builds the whole catalogue (mode 0, variant 3); no project cursor yet. Needs nothing open.
  ToProjecte();
  ~ToProjecte();
  ToProjecte(const ToProjecte&) = delete;
  ToProjecte& operator=(const ToProjecte&) = delete;

  // The project cursor, owned here. The first call creates it (which opens "PX5PRO" when it is
  // not open, for as long as this object lives) and positions it on the first project of key 1.
  TdbProject& ProjectDb();

  // Makes project `number` current: the first call creates the cursor as ProjectDb does, later
  // calls write the cursor's current project back first (Update); then, when the cursor stands
  // on another project, it finds `number`. The number becomes current in every case. False when
  // the first positioning or the find fails.
  bool SelectProject(std::int32_t number);

  // The current project number; -1 when none was selected.
  std::int32_t CurrentProject() const { return current_project_; }
  const FieldCatalogue& Catalogue() const { return catalogue_; }

 private:
  bool CreateProjectDb();

  std::unique_ptr<TdbProject> project_db_;
  std::int32_t current_project_ = -1;
  FieldCatalogue catalogue_;
};

}  // namespace logbook
