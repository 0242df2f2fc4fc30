#include "codecs/jpeg_image.h"

#include <stdexcept>
#include <system_error>
#include <utility>

#include "core/file_io.h"
#include "core/text_encoding.h"

namespace kelbo {

void TCustomJPEGImage::SetNumOfColors(TNumOfColors value) {
    settings_.NumOfColors = value;
    Decode();
}

void TCustomJPEGImage::SetDCTMethod(TDCTMethod value) {
    settings_.DCTMethod = value;
    Decode();
}

void TCustomJPEGImage::SetDither(TDither value) {
    settings_.Dither = value;
    Decode();
}

void TCustomJPEGImage::SetOption(int index, bool value) {
    switch (index) {
    case 0: settings_.FastProcessing = value; break;
    case 1: settings_.GrayScale = value; break;
    case 2: settings_.NoSmooth = value; break;
    case 3: settings_.OnePass = value; break;
    default: throw std::out_of_range("JPEG option index " + std::to_string(index));
    }
    Decode();
}

void TCustomJPEGImage::SetProgressStep(int value) {
    if (value < 1 || value > 100) {
        throw std::out_of_range("ProgressStep " + std::to_string(value) + " outside 1..100");
    }
    progressStep_ = value;
}

void TCustomJPEGImage::SetQuality(int value) {
    if (value < 0 || value > 100) {
        throw std::out_of_range("Quality " + std::to_string(value) + " outside 0..100");
    }
    settings_.Quality = value;
}

void TCustomJPEGImage::SetPictureBitmap(Bitmap24 bitmap) {
    picture_.Clear();
    picture_.bitmap = std::move(bitmap);
    PictureChanged();
}

void TCustomJPEGImage::ClearPicture() {
    picture_.Clear();
    PictureChanged();
}

void TCustomJPEGImage::LoadFromBytes(std::vector<std::uint8_t> bytes) {
    jpegData_ = std::move(bytes);
    Decode();
}

void TCustomJPEGImage::Loaded() {
    loading_ = false;
    Decode();
}

JpegRowProgress TCustomJPEGImage::RowProgress() {
    lastPercent_ = 0;
    return [this](int rowsDone, int totalRows) { ReportRows(rowsDone, totalRows); };
}

void TCustomJPEGImage::ReportRows(int rowsDone, int totalRows) {
    if (totalRows <= 0) return;
    const int percent = static_cast<int>(static_cast<long long>(rowsDone) * 100 / totalRows);
    if (percent == lastPercent_ || percent % progressStep_ != 0) return;
    lastPercent_ = percent;
    if (onProgress_) onProgress_(*this);
}

void TCustomJPEGImage::Decode() {
    if (loading_) return;
    if (jpegData_.empty()) {
        comments_.clear();
        ClearPicture();
        return;
    }
    JpegDecoded decoded = DecodeJpeg(jpegData_, settings_, RowProgress());
    if (decoded.warnings != 0) throw EJPEGException("There are warnings");
    picture_ = std::move(decoded.picture);
    comments_ = std::move(decoded.comments);
    PictureChanged();
}

JpegDecodeInfo TCustomJPEGImage::DecodeInto(std::span<const std::uint8_t> data, PictureTarget& target,
                                            Progress* progress) const {
    const ProgressScope scope(progress, 100);
    int shown = 0;
    const JpegRowProgress rows = [&](int done, int total) {
        const int percent = static_cast<int>(static_cast<long long>(done) * 100 / total);
        if (percent != shown) scope.Set(shown = percent);
    };
    JpegDecodeInfo info = DecodeJpeg(data, settings_, target, progress ? rows : JpegRowProgress{});
    if (info.warnings != 0) throw EJPEGException("There are warnings");
    scope.Set(100);
    return info;
}

void TCustomJPEGImage::EncodeToFile(ConstPixelView pixels, const std::filesystem::path& path) const {
    WriteJpeg(path, pixels, settings_);
}

void TCustomJPEGImage::SaveToStream(std::vector<std::uint8_t>* stream) {
    if (stream == nullptr) return;
    const std::vector<std::uint8_t> bytes = EncodeJpeg(picture_.bitmap.View(), settings_, RowProgress());
    stream->insert(stream->end(), bytes.begin(), bytes.end());
}

void TCustomJPEGImage::SaveToFile(const std::filesystem::path& path) {
    WriteJpeg(path, picture_.bitmap.View(), settings_, RowProgress());
}

std::vector<std::uint8_t> ReadJpegFile(const std::filesystem::path& path) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    // Checked before reading, and again after, as the file may grow.
    FilePrefix file = (!ec && size > kMaxJpegFileBytes)
                          ? FilePrefix{{}, size}
                          : ReadFilePrefix(path, static_cast<std::size_t>(kMaxJpegFileBytes));
    if (file.fileSize > kMaxJpegFileBytes) {
        throw EJPEGException(PathToUtf8(path) + ": JPEG file too large (" + std::to_string(file.fileSize) +
                             " bytes, at most " + std::to_string(kMaxJpegFileBytes) + ")");
    }
    return std::move(file.bytes);
}

void TJPEGImage::SetFileName(const std::string& name) {
    fileName_ = name;
    if (name.empty()) {
        jpegData_.clear();
    } else {
        jpegData_ = ReadJpegFile(PathFromUtf8(name));
    }
    Decode();
}

void TJPEGImage::LoadFromFile(const std::filesystem::path& path) { SetFileName(PathToUtf8(path)); }

}  // namespace kelbo
