#include "FuzzInput.h"
#include "ID3v1.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    delete getV1Tags(input.name());
    return 0;
}
