#pragma once

// The zone the by-hand tools serve from knotd on loopback.
inline constexpr char kExampleZone[] = R"($ORIGIN example.com.
$TTL 3600
@    IN SOA  ns1.example.com. hostmaster.example.com. 1 3600 600 86400 300
@    IN NS   ns1
@    IN A    192.0.2.1
@    IN MX   10 mail
@    IN MX   20 @
ns1  IN A    192.0.2.53
mail IN A    192.0.2.25
)";
