# Read by cpack before it packs: every time stamp in the package (the members of the .deb and
# every file in it) becomes the time of the changelog's latest entry, so that the same sources
# give the same package whenever they are packed. A builder who sets SOURCE_DATE_EPOCH keeps it.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    return()
endif()

file(STRINGS "${CPACK_QUILLET_CHANGELOG}" trailer REGEX "^ -- " LIMIT_COUNT 1)
# The trailer's date, as in RFC 5322: " -- Name <address>  Mon, 07 Dec 2026 09:00:00 +0000".
set(date_re ", ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) ([0-9]+):([0-9]+):([0-9]+) ")
string(APPEND date_re "([+-])([0-9][0-9])([0-9][0-9])$")
if(NOT trailer MATCHES "${date_re}")
    message(FATAL_ERROR "no date in the latest entry of ${CPACK_QUILLET_CHANGELOG}: ${trailer}")
endif()
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)
if(month LESS 0)
    message(FATAL_ERROR "no month called ${CMAKE_MATCH_2} in ${CPACK_QUILLET_CHANGELOG}")
endif()
set(zone_sign ${CMAKE_MATCH_7})
set(numbers ${CMAKE_MATCH_1} ${CMAKE_MATCH_3} ${CMAKE_MATCH_4} ${CMAKE_MATCH_5} ${CMAKE_MATCH_6}
            ${CMAKE_MATCH_8} ${CMAKE_MATCH_9})
# Leading zeros off: what math() makes of "08" is not worth finding out.
list(TRANSFORM numbers REPLACE "^0+(.)" "\\1")
list(POP_FRONT numbers day year hour minute second zone_hour zone_minute)

# Days since 1970-01-01 of a proleptic Gregorian date, with years counted from March so that
# the leap day falls last; then the zone's offset taken off.
if(month LESS 2)
    math(EXPR year "${year} - 1")
    math(EXPR month "${month} + 10")
else()
    math(EXPR month "${month} - 2")
endif()
math(EXPR days "${year} * 365 + ${year} / 4 - ${year} / 100 + ${year} / 400")
math(EXPR days "${days} + (153 * ${month} + 2) / 5 + ${day} - 1 - 719468")
math(EXPR epoch "${days} * 86400 + ${hour} * 3600 + ${minute} * 60 + ${second}")
math(EXPR offset "${zone_hour} * 3600 + ${zone_minute} * 60")
if(zone_sign STREQUAL "+")
    math(EXPR epoch "${epoch} - ${offset}")
else()
    math(EXPR epoch "${epoch} + ${offset}")
endif()
set(ENV{SOURCE_DATE_EPOCH} ${epoch})
