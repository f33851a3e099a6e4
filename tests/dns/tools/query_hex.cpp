// Prints the query datagram that BuildDNSQuery makes for a domain and a type row text, as
// upper-case hex. Used by data/capture-replies.sh so that the captured replies answer the
// program's own queries.
#include <cstdio>

#include "dns/query_builder.h"
#include "dns/reply_bytes.h"
#include "texts/query_types.h"
#include "texts/texts.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DOMAIN TYPE-ROW-TEXT\n", argv[0]);
        return 2;
    }
    const auto query = quillet::dns::BuildDNSQuery(argv[1], quillet::texts::QueryTypeOf(argv[2]));
    if (!query.Ok()) {
        std::fprintf(stderr, "%s\n", std::string(quillet::texts::TextOf(query.error)).c_str());
        return 1;
    }
    std::printf("%s\n", quillet::dns::ReplyText(query.datagram).c_str());
    return 0;
}
