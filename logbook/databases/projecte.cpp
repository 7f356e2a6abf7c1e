#include "logbook/databases/projecte.h"

namespace logbook {

ToProjecte::ToProjecte() { BuildFieldTable(0, catalogue_, 3); }

ToProjecte::~ToProjecte() = default;

bool ToProjecte::CreateProjectDb() {
  project_db_ = std::make_unique<TdbProject>();
  return project_db_->First(1);
}

TdbProject& ToProjecte::ProjectDb() {
  if (project_db_ == nullptr) CreateProjectDb();
  return *project_db_;
}

bool ToProjecte::SelectProject(std::int32_t number) {
  bool ok = true;
  if (project_db_ == nullptr) {
    ok = CreateProjectDb();
  } else {
    project_db_->Update();
  }
  if (project_db_->GetGroupValue() != number) ok = project_db_->FindNumber(number) && ok;
  current_project_ = number;
  return ok;
}

}  // namespace logbook
