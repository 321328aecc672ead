// What an FTP server and the settings hand the client: reply lines, name listings,
// server names and remote paths. The first byte picks which.
#include "FuzzSupport.h"
#include "platform/net/FtpPaths.h"
#include "platform/net/FtpReplies.h"

namespace {

void replies(const QByteArray& input)
{
    platform::FtpReply reply;
    for (const QByteArray& line : input.split('\n')) {
        reply.addLine(line + '\n');
        FUZZ_CHECK(!reply.lines().isEmpty());
        FUZZ_CHECK(reply.complete() == platform::endsFtpReply(reply.lines().last()));
        FUZZ_CHECK(reply.code() >= 0 && reply.code() <= 999);
        reply.text();
    }
}

void listing(const QByteArray& input)
{
    for (const QString& name : platform::ftpListingNames(input)) {
        FUZZ_CHECK(!name.isEmpty());
        FUZZ_CHECK(!name.contains('/') && !name.contains('\n'));
    }
}

void paths(const QByteArray& input)
{
    const auto [first, second] = fuzz::splitAtNul(input);
    const QString directory = QString::fromUtf8(first), name = QString::fromUtf8(second);
    platform::FtpEndpoint endpoint;
    if (platform::parseFtpHost(directory, endpoint)) {
        FUZZ_CHECK(!endpoint.host.isEmpty());
        FUZZ_CHECK(endpoint.port > 0 && endpoint.port < 65536);
    }
    platform::hasLineBreak(name);
    const QString path = platform::resolveFtpPath(directory, name);
    FUZZ_CHECK(path.startsWith('/'));
    FUZZ_CHECK(!path.contains("//"));
    for (const QString& segment : path.split('/', Qt::SkipEmptyParts))
        FUZZ_CHECK(segment != "." && segment != "..");
    FUZZ_CHECK(platform::resolveFtpPath("/", path) == path);
    FUZZ_CHECK(path == "/" || !path.endsWith('/'));
    const QString folder = platform::ftpFolder(path), file = platform::ftpFileName(path);
    if (path != "/")
        FUZZ_CHECK((folder == "/" ? "/" + file : folder + "/" + file) == path);
    FUZZ_CHECK(platform::ftpUrlPath(path).startsWith("/%2F"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 16 * 1024)
        return 0;
    const QByteArray input = fuzz::bytesOf(data + 1, size - 1);
    switch (data[0] % 3) {
    case 0: replies(input); break;
    case 1: listing(input); break;
    default: paths(input); break;
    }
    return 0;
}
