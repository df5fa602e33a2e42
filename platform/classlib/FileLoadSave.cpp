// Memory streams and string lists loaded from and saved to named files, through
// TFileStream (whichever platform's it is).
#include "TFileStream.h"
#include "TMemoryStream.h"
#include "TStrings.h"

void TMemoryStream::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& fileName)
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

void TStrings::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TStrings::SaveToFile(const std::string& fileName) const
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}
