// The present local time, and the time zone in effect at a given local time.
#pragma once

#include "popup/date_format.h"

namespace tv {

localTime currentLocalTime();
// Sets utcOffsetMinutes and zoneName for the date and time already in `t`. The
// Microsoft runtime converts only 1970 to 3000; outside that the present zone is used.
void fillZoneAt(localTime& t);

}  // namespace tv
