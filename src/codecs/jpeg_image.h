#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "codecs/jpeg_coding.h"
#include "core/bitmap24.h"
#include "core/picture_target.h"
#include "core/progress.h"

namespace kelbo {

class TCustomJPEGImage;

// OnProgress: called with the image as sender; ProgressPercent() tells how far.
using TJPEGNotifyEvent = std::function<void(TCustomJPEGImage& sender)>;

// The JPEG picture class: holds a JPEG file's bytes, decodes them into its
// picture with the coding properties, and encodes its picture as a JPEG file.
// The platform's image control hosts it (a Win32 wrapper overrides
// PictureChanged to repaint).
class TCustomJPEGImage {
public:
    TCustomJPEGImage() = default;
    virtual ~TCustomJPEGImage() = default;
    TCustomJPEGImage(const TCustomJPEGImage&) = delete;
    TCustomJPEGImage& operator=(const TCustomJPEGImage&) = delete;

    // Setting any of these stores the value and decodes the JPEG data again.
    TNumOfColors NumOfColors() const { return settings_.NumOfColors; }
    void SetNumOfColors(TNumOfColors value);
    TDCTMethod DCTMethod() const { return settings_.DCTMethod; }
    void SetDCTMethod(TDCTMethod value);
    TDither Dither() const { return settings_.Dither; }
    void SetDither(TDither value);
    bool FastProcessing() const { return settings_.FastProcessing; }
    void SetFastProcessing(bool value) { SetOption(0, value); }
    bool GrayScale() const { return settings_.GrayScale; }
    void SetGrayScale(bool value) { SetOption(1, value); }
    bool NoSmooth() const { return settings_.NoSmooth; }
    void SetNoSmooth(bool value) { SetOption(2, value); }
    bool OnePass() const { return settings_.OnePass; }
    void SetOnePass(bool value) { SetOption(3, value); }

    // Plain fields used at the next coding. Values outside 1..100 (ProgressStep)
    // or 0..100 (Quality) throw std::out_of_range.
    int ProgressStep() const { return progressStep_; }
    void SetProgressStep(int value);
    const TJPEGNotifyEvent& OnProgress() const { return onProgress_; }
    void SetOnProgress(TJPEGNotifyEvent handler) { onProgress_ = std::move(handler); }
    int Quality() const { return settings_.Quality; }
    void SetQuality(int value);
    bool Progressive() const { return settings_.Progressive; }
    void SetProgressive(bool value) { settings_.Progressive = value; }

    const JpegSettings& Settings() const { return settings_; }

    // The last percentage reported to OnProgress in the current or last coding.
    int ProgressPercent() const { return lastPercent_; }

    // After a decode, the decoded picture; SaveToStream encodes its bitmap.
    const JpegPicture& Picture() const { return picture_; }
    void SetPictureBitmap(Bitmap24 bitmap);
    void ClearPicture();

    // The comment markers of the last decoded file (the first 256).
    const std::vector<std::string>& Comments() const { return comments_; }

    const std::vector<std::uint8_t>& JpegData() const { return jpegData_; }
    // Stores a JPEG file's bytes and decodes them.
    void LoadFromBytes(std::vector<std::uint8_t> bytes);

    // For the picture file routines, which keep one such object for the whole
    // run and only use its settings: decodes `data` straight into `target`, or
    // encodes `pixels` into a file, leaving the picture, the data and the
    // comments as they are. Progress, when given: maximum 100, the percentage
    // of rows done, 0 again at the end (OnProgress is not called). Failures
    // throw as Decode and SaveToFile do, warnings too, after the rows decoded
    // so far went into the target.
    JpegDecodeInfo DecodeInto(std::span<const std::uint8_t> data, PictureTarget& target,
                              Progress* progress = nullptr) const;
    void EncodeToFile(ConstPixelView pixels, const std::filesystem::path& path) const;

    // Decodes the JPEG data into the picture; empty data clears the picture.
    // Throws EJPEGException (the picture is then unchanged), also for data
    // the library could read only with warnings ("There are warnings").
    void Decode();

    // Appends the encoded picture to the stream; a null stream does nothing.
    // Throws EJPEGException; the stream is unchanged then.
    void SaveToStream(std::vector<std::uint8_t>* stream);
    // Encodes, then writes the file atomically (FileError), so a failure
    // leaves an old file as it was.
    void SaveToFile(const std::filesystem::path& path);

    // While loading (the host setting up its properties) Decode does nothing;
    // Loaded ends it and decodes once.
    void BeginLoading() { loading_ = true; }
    void Loaded();
    bool Loading() const { return loading_; }

protected:
    // The setter the four Booleans share: 0 FastProcessing, 1 GrayScale,
    // 2 NoSmooth, 3 OnePass.
    void SetOption(int index, bool value);
    // After the picture changed (decoded, cleared, assigned); the host repaints.
    virtual void PictureChanged() {}

    std::vector<std::uint8_t> jpegData_;

private:
    JpegRowProgress RowProgress();
    void ReportRows(int rowsDone, int totalRows);

    JpegSettings settings_;
    int progressStep_ = 10;
    TJPEGNotifyEvent onProgress_;
    int lastPercent_ = 0;
    bool loading_ = false;
    JpegPicture picture_;
    std::vector<std::string> comments_;
};

// A JPEG file's bytes. Throws FileError when it cannot be read, and
// EJPEGException naming it above kMaxJpegFileBytes (without reading it).
std::vector<std::uint8_t> ReadJpegFile(const std::filesystem::path& path);

class TJPEGImage : public TCustomJPEGImage {
public:
    // UTF-8. Setting a name reads the whole file (FileError when it cannot be
    // read; EJPEGException above kMaxJpegFileBytes), an empty name empties the
    // data; then Decode.
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& name);
    void LoadFromFile(const std::filesystem::path& path);

private:
    std::string fileName_;
};

}  // namespace kelbo
