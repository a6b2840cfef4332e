// The tree identifiers of a run start at 65735 and grow by 200. This needs a
// process of its own: any object made before would have taken the first one.
#include "records/channel_data.h"
#include "records/personality_data.h"

#include <cstdio>

int main()
{
    const qrv::CPersonalityData first;
    const qrv::CChannelData second(std::size_t{0});
    const qrv::CPersonalityData third;
    const bool ok = first.TreeId() == 65735 && second.TreeId() == 65935 && third.TreeId() == 66135;
    std::printf("tree identifiers %u %u %u: %s\n", first.TreeId(), second.TreeId(), third.TreeId(),
                ok ? "ok" : "wrong");
    return ok ? 0 : 1;
}
