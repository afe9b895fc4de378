#include "builder/media_files.h"

#include "builder/file_io.h"
#include "builder/picture_fit.h"

namespace {

enum class MediaKind { Picture, Sound, Video };

struct MediaLoader {
    const QuizSource& source;
    const MediaOptions& options;
    Diagnostics& diagnostics;
    QuizMedia media;

    void load(const MediaReference& ref, const std::string& field, MediaKind kind, uint16_t id) {
        if (ref.path.empty()) return;
        std::vector<uint8_t> bytes;
        if (!readFileBytes(source.folder / pathFromUtf8(ref.path), bytes)) {
            diagnostics.error(source.file, ref.line, field, "fichier introuvable ou illisible : " + ref.path);
            return;
        }
        MediaResource resource;
        resource.id = id;
        switch (kind) {
        case MediaKind::Picture:
            switch (fitPicture(bytes, options.keepOriginals, resource.bytes)) {
            case PictureResult::Stored: break;
            case PictureResult::Fitted: ++media.picturesFitted; break;
            case PictureResult::NotJpeg:
                diagnostics.error(source.file, ref.line, field, ref.path + " n'est pas une image JPEG");
                return;
            case PictureResult::Undecodable:
                diagnostics.error(source.file, ref.line, field, ref.path + " : image JPEG illisible ou abîmée");
                return;
            case PictureResult::EncodeFailed:
                diagnostics.error(source.file, ref.line, field, ref.path + " : échec de la réduction de l'image");
                return;
            }
            break;
        case MediaKind::Sound:
            if (!looksLikeMp3(bytes)) {
                diagnostics.error(source.file, ref.line, field, ref.path + " n'est pas un son mp3");
                return;
            }
            resource.bytes = std::move(bytes);
            break;
        case MediaKind::Video:
            if (!looksLikeAvi(bytes)) {
                diagnostics.error(source.file, ref.line, field, ref.path + " n'est pas une vidéo avi");
                return;
            }
            resource.bytes = std::move(bytes);
            break;
        }
        media.resources.push_back(std::move(resource));
    }
};

std::string field(int number, const char* key) { return "question " + std::to_string(number) + ", " + key; }

}  // namespace

QuizMedia loadQuizMedia(const QuizSource& source, const MediaOptions& options, Diagnostics& diagnostics) {
    MediaLoader loader{source, options, diagnostics, {}};
    int kind = source.content.kind;
    for (std::size_t i = 0; i < source.questions.size(); ++i) {
        const QuestionSource& q = source.questions[i];
        int number = static_cast<int>(i) + 1;
        uint16_t id = static_cast<uint16_t>(QuestionMediaId + number);
        if (kind == KindPicture) loader.load(q.picture, field(number, "image"), MediaKind::Picture, id);
        if (kind == KindSound) loader.load(q.clip, field(number, "son"), MediaKind::Sound, id);
        if (kind == KindVideo) loader.load(q.clip, field(number, "video"), MediaKind::Video, id);
    }
    // Answer pictures after the question media, both in question order.
    for (std::size_t i = 0; i < source.questions.size(); ++i) {
        int number = static_cast<int>(i) + 1;
        loader.load(source.questions[i].answerPicture, field(number, "image_reponse"), MediaKind::Picture,
                    static_cast<uint16_t>(AnswerPictureId + number));
    }
    return std::move(loader.media);
}
