// Whole setups on disk: a program image followed by its setup data, through the
// container's write mode. Apart from the block writer, which builds and runs
// without <windows.h> (the native fuzz build makes its seeds with it).
#include "SetupWriter.h"

#include "SplitStream.h"
#include "TMemoryStream.h"
#include "uPeImage.h"

void BuildSetup(const TBuildOptions& options, const std::function<void(TSetupDataWriter&)>& fill)
{
    TMemoryStream image;
    image.LoadFromFile(options.Program);
    std::uint64_t imageLength = uPeImage::ImageLength(image);

    TSplitFileStream out(options.Output, fmCreate);
    if (options.VolumeCapacity > 0)
        out.SetVolumeCapacity(options.VolumeCapacity);
    out.SetDataStart(static_cast<std::uint32_t>(imageLength));
    out.WriteBuffer(image.Memory(), static_cast<size_t>(imageLength));
    {
        TSetupDataWriter writer(out);
        fill(writer);
        writer.Finish();
    }
    out.Close();
}

void BuildSetup(const TBuildOptions& options, const TSetupDescription& description)
{
    BuildSetup(options, [&](TSetupDataWriter& writer) { WriteSetupData(writer, description); });
}
