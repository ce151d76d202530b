// Renders the before-and-after pictures of the documentation page with the built bundle:
//
//   eb_documentation_pictures <bundle> <output folder> <preset file>...
//
// Writes source.png and matte.png (a colourful element with unusable dark stripes around
// it, and its matte), then one picture per factory preset, named after the preset in lower
// case with blanks turned into '-' ("Soft Stretch.xml" gives soft-stretch.png). Exits with
// status 1 and a message on the first failure.
#include <cmath>
#include <cstdio>
#include <exception>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/Bundle.h"
#include "host/EffectInstance.h"
#include "host/Image.h"
#include "host/ImageFile.h"
#include "presets/PresetManager.h"

namespace {

const int kWidth = 240;
const int kHeight = 160;
const double kPi = 3.14159265358979323846;

// A lumpy closed outline around the centre, in pixels.
double outlineRadius(double angle) { return 52.0 + 11.0 * std::sin(3.0 * angle) + 6.0 * std::cos(5.0 * angle + 0.7); }

double matteAlpha(int x, int y) {
    const double dx = x + 0.5 - kWidth * 0.5;
    const double dy = y + 0.5 - kHeight * 0.5;
    const double edge = outlineRadius(std::atan2(dy, dx));
    return std::fmax(0.0, std::fmin(1.0, edge - std::hypot(dx, dy) + 0.5));
}

void hue(double h, float rgb[3]) {
    h = (h - std::floor(h)) * 6.0;
    const int sector = static_cast<int>(h) % 6;
    const float f = static_cast<float>(h - std::floor(h));
    const float table[6][3] = {{1, f, 0}, {1 - f, 1, 0}, {0, 1, f}, {0, 1 - f, 1}, {f, 0, 1}, {1, 0, 1 - f}};
    for (int i = 0; i < 3; ++i) rgb[i] = table[sector][i];
}

ofxhost::Image makeSource() {
    ofxhost::Image image({0, 0, kWidth, kHeight});
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            float* p = image.pixel(x, y);
            const double dx = x + 0.5 - kWidth * 0.5;
            const double dy = y + 0.5 - kHeight * 0.5;
            if (matteAlpha(x, y) > 0.0) {
                float rgb[3];
                hue(std::atan2(dy, dx) / (2.0 * kPi), rgb);
                const float ring = 0.75f + 0.25f * static_cast<float>(std::cos(std::hypot(dx, dy) * 0.35));
                for (int i = 0; i < 3; ++i) p[i] = rgb[i] * ring;
            } else {
                // What Edge Bleed replaces: dark stripes that belong to nothing.
                const float stripe = ((x + y) / 6) % 2 == 0 ? 0.12f : 0.2f;
                p[0] = p[1] = p[2] = stripe;
            }
            p[3] = 1.0f;
        }
    }
    return image;
}

ofxhost::Image makeMatte() {
    ofxhost::Image image({0, 0, kWidth, kHeight});
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            float* p = image.pixel(x, y);
            p[0] = p[1] = p[2] = 1.0f;
            p[3] = static_cast<float>(matteAlpha(x, y));
        }
    }
    return image;
}

// The picture a preset gives: its file name without ".xml", lower case, blanks as '-'.
std::string pictureName(const std::string& presetPath) {
    std::string name = presetPath.substr(presetPath.find_last_of('/') + 1);
    if (PresetManager::endsWith(name, ".xml")) name.resize(name.size() - 4);
    for (char& c : name) {
        if (c == ' ') c = '-';
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return name + ".png";
}

void applyPreset(ofxhost::EffectInstance& instance, const std::string& presetPath) {
    std::string effect;
    std::string version;
    const std::map<std::string, ParameterValue> values = PresetManager::loadPreset(presetPath, effect, version);
    if (values.empty()) throw std::runtime_error("cannot read preset " + presetPath);
    for (const auto& entry : values) {
        ofxhost::Param* param = instance.param(entry.first);
        if (param == nullptr) throw std::runtime_error(presetPath + " names an unknown parameter " + entry.first);
        switch (param->kind()) {
            case ofxhost::ParamKind::Double: instance.setDouble(entry.first, entry.second.asDouble()); break;
            case ofxhost::ParamKind::Int:
            case ofxhost::ParamKind::Choice: instance.setInt(entry.first, entry.second.asInt()); break;
            case ofxhost::ParamKind::Boolean: instance.setBool(entry.first, entry.second.asBool()); break;
            default: throw std::runtime_error(presetPath + ": parameter " + entry.first + " has an unexpected kind");
        }
    }
}

void run(const std::string& bundlePath, const std::string& folder, const std::vector<std::string>& presets) {
    const auto source = std::make_shared<ofxhost::Image>(makeSource());
    const auto matte = std::make_shared<ofxhost::Image>(makeMatte());
    ofxhost::writeImageFile(folder + "/source.png", *source);
    ofxhost::writeImageFile(folder + "/matte.png", *matte);

    std::unique_ptr<ofxhost::Bundle> bundle = ofxhost::Bundle::open(bundlePath);
    if (bundle->pluginCount() != 1) throw std::runtime_error("expected one plug-in in " + bundlePath);
    for (const std::string& preset : presets) {
        // A fresh instance per preset, so every picture starts from the defaults.
        OfxStatus status = kOfxStatOK;
        std::unique_ptr<ofxhost::EffectInstance> instance =
            bundle->plugin(0).createInstance("OfxImageEffectContextGeneral", &status);
        if (instance == nullptr) throw std::runtime_error("cannot create an instance: status " + std::to_string(status));
        applyPreset(*instance, preset);
        instance->setClipImage("Source", source);
        instance->setClipImage("Matte", matte);
        const auto output = std::make_shared<ofxhost::Image>(OfxRectI{0, 0, kWidth, kHeight});
        instance->setClipImage("Output", output);
        status = instance->render();
        if (status != kOfxStatOK) throw std::runtime_error("rendering " + preset + " failed: status " + std::to_string(status));
        ofxhost::writeImageFile(folder + "/" + pictureName(preset), *output);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <bundle> <output folder> <preset file>...\n", argv[0]);
        return 1;
    }
    try {
        run(argv[1], argv[2], std::vector<std::string>(argv + 3, argv + argc));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    return 0;
}
