// What a first user types into the setup form of the first start's new log: the contest's
// name, the station with its address, the age, the class "andere Station CW" (DXCC and call
// multipliers) and a computer clock on UTC. The form's buttons are left to the caller.
#pragma once

#include <string>
#include <utility>

#include "app/eing_contest_std.h"
#include "platform/qt/testkit/input.h"

namespace app_test {

inline constexpr int kOtherStationCwButton = 4;

// The station's address as TypeFirstLogSetup types it.
inline constexpr const char* kFirstName = "Karl Muster";
inline constexpr const char* kFirstStreet = "Hauptstr. 1";
inline constexpr const char* kFirstPostcode = "12345";
inline constexpr const char* kFirstPlace = "Berlin";
inline constexpr const char* kFirstEmail = "dl1abc@example.org";

inline void TypeFirstLogSetup(app::TEingContestStd& form) {
  const std::pair<ui::TkvEdit*, const char*> texts[] = {{form.eName, "Domivox-Contest"},
                                                        {form.eCall_, "DL1ABC"},
                                                        {form.eLoc, "JO62QM"},
                                                        {form.ecname, kFirstName},
                                                        {form.eStrasse, kFirstStreet},
                                                        {form.ePLZ, kFirstPostcode},
                                                        {form.eOrt, kFirstPlace},
                                                        {form.eEMail, kFirstEmail},
                                                        {form.eJahre, "42"}};
  for (const auto& [field, text] : texts) {
    field->SetText("");
    platform::qt::testkit::TypeText(*field, text);
  }
  platform::qt::testkit::Click(*form.eteilnahmeart->Button(kOtherStationCwButton), 5, 5);
  platform::qt::testkit::Click(*form.rZeitUTC, 5, 5);  // the computer runs on UTC
}

}  // namespace app_test
