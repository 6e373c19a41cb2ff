#include "platform/TimeZone.h"

#include "platform/DateTime.h"

#include <QDateTime>
#include <QTimeZone>

namespace {

QByteArray& TestZoneName() {
    static QByteArray name;
    return name;
}

// Looking a zone up and naming it goes through the time-zone database, far too slow for a page
// that asks for the zone at every code; the zone is looked up again only when its name changes.
struct LocalZoneInfo {
    QByteArray Id;
    QTimeZone Zone;
    String StandardName;
    String DaylightName;
};

String Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

const LocalZoneInfo& LocalZone() {
    static LocalZoneInfo cached;
    const QByteArray id = TestZoneName().isEmpty() ? QTimeZone::systemTimeZoneId() : TestZoneName();
    if (cached.Id != id || !cached.Zone.isValid()) {
        cached.Id = id;
        cached.Zone = TestZoneName().isEmpty() ? QTimeZone::systemTimeZone() : QTimeZone(id);
        cached.StandardName =
            Utf8(cached.Zone.displayName(QTimeZone::StandardTime, QTimeZone::LongName));
        cached.DaylightName =
            Utf8(cached.Zone.displayName(QTimeZone::DaylightTime, QTimeZone::LongName));
    }
    return cached;
}

QDateTime InZone(TDateTime dateTime, const QTimeZone& zone) {
    int year, month, day, hour, min, sec, msec;
    DecodeDate(dateTime, year, month, day);
    DecodeTime(dateTime, hour, min, sec, msec);
    return QDateTime(QDate(year, month, day), QTime(hour, min, sec, msec), zone);
}

} // namespace

DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION& info) {
    const LocalZoneInfo& local = LocalZone();
    const QTimeZone& zone = local.Zone;
    const QDateTime now = InZone(Now(), zone);
    info = TIME_ZONE_INFORMATION();
    info.Bias = -zone.standardTimeOffset(now) / 60;
    info.StandardName = local.StandardName;
    info.DaylightName = local.DaylightName;
    // A zone keeps daylight time in one half of the year or the other; one that had it only in
    // the past has none now.
    int daylightOffset = zone.isDaylightTime(now) ? zone.daylightTimeOffset(now) : 0;
    for (int month : {1, 7}) {
        const QDateTime probe(QDate(now.date().year(), month, 15), QTime(12, 0), zone);
        if (daylightOffset == 0 && zone.isDaylightTime(probe))
            daylightOffset = zone.daylightTimeOffset(probe);
    }
    if (daylightOffset == 0)
        return TIME_ZONE_ID_UNKNOWN;
    info.DaylightBias = -daylightOffset / 60;
    return zone.isDaylightTime(now) ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}

void SetTimeZoneForTests(const String& zoneName) {
    TestZoneName() = QByteArray::fromStdString(zoneName);
}
