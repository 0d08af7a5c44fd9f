#pragma once
// Texts the bitmap commands show or ask, kept letter for letter in one place (typos
// included) because the tests and the window compare them.
namespace lumi {

inline constexpr const char* kBitmapTransformedMessage =
    "The Image Object is already transformed.\nTo Crop from object you have to Reset the "
    "Image Transformation first.\n(Menu: Bitmap - Reset Transformation)";
inline constexpr const char* kBottomMustBeBitmapMessage =
    "The bottom object must be the Bitmap object";
inline constexpr const char* kMaskNoOverlapMessage =
    "The Bitmap and the Object don't overlap.\n(The result would be fully transparent)";
inline constexpr const char* kCropNoOverlapMessage =
    "The Bitmap and the Object doesn't overlap.\n(The result would be fully transparent)";
inline constexpr const char* kCropRectangleError = "Error croping rectangle";
// Asked by the view before "Apply Changes" (never before a save).
inline constexpr const char* kApplyChangesQuestion =
    "This command will apply the Size changes to the bitmap if the current size is smaller "
    "than the original.\nUse this function if you resize down big bitmap and you want to "
    "free up some memory.\nNote: This will be done automatically on Save or Save As...\n"
    "Continue Now?";
inline constexpr const char* kConvertToEnvelopeQuestion =
    "Do you want to convert the bitmap object to Envelope ?\nThe envelope editing on bitmap "
    "is slow and produces lower quality.\nIf you decide yes, you can set anytime the bitmap "
    "back by using Reset Transformation.";

}  // namespace lumi
