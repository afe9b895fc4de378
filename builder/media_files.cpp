#include "builder/media_files.h"

#include <atomic>
#include <thread>

#include "builder/file_io.h"
#include "builder/picture_fit.h"

namespace {

enum class MediaKind { Picture, Sound, Video };

// One media file on its way into the quiz; pictures are fitted afterwards,
// several at a time.
struct MediaJob {
    const MediaReference* ref;
    std::string field;
    MediaKind kind;
    uint16_t id;
    std::vector<uint8_t> bytes;
    PictureResult pictureResult = PictureResult::Stored;
    std::vector<uint8_t> stored;
};

std::string field(int number, const char* key) { return "question " + std::to_string(number) + ", " + key; }

void fitAll(std::vector<MediaJob>& jobs, bool keepOriginals) {
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++)
            if (jobs[i].kind == MediaKind::Picture)
                jobs[i].pictureResult = fitPicture(jobs[i].bytes, keepOriginals, jobs[i].stored);
    };
#if defined(_GLIBCXX_HAS_GTHREADS) || !defined(__GLIBCXX__)
    // Decoding and resampling dominate a picture quiz's build: one worker per core.
    unsigned workers = std::thread::hardware_concurrency();
    if (workers < 1) workers = 1;
    std::vector<std::thread> threads;
    for (unsigned w = 1; w < workers; ++w) threads.emplace_back(work);
    work();
    for (std::thread& t : threads) t.join();
#else
    work();  // no std::thread in this standard library (mingw-w64 with win32 threads)
#endif
}

}  // namespace

QuizMedia loadQuizMedia(const QuizSource& source, const MediaOptions& options, Diagnostics& diagnostics) {
    std::vector<MediaJob> jobs;
    auto add = [&](const MediaReference& ref, const std::string& name, MediaKind kind, uint16_t id) {
        if (!ref.path.empty()) jobs.push_back({&ref, name, kind, id, {}, PictureResult::Stored, {}});
    };
    int kind = source.content.kind;
    for (std::size_t i = 0; i < source.questions.size(); ++i) {
        const QuestionSource& q = source.questions[i];
        int number = static_cast<int>(i) + 1;
        uint16_t id = static_cast<uint16_t>(QuestionMediaId + number);
        if (kind == KindPicture) add(q.picture, field(number, "image"), MediaKind::Picture, id);
        if (kind == KindSound) add(q.clip, field(number, "son"), MediaKind::Sound, id);
        if (kind == KindVideo) add(q.clip, field(number, "video"), MediaKind::Video, id);
    }
    // Answer pictures after the question media, both in question order.
    for (std::size_t i = 0; i < source.questions.size(); ++i) {
        int number = static_cast<int>(i) + 1;
        add(source.questions[i].answerPicture, field(number, "image_reponse"), MediaKind::Picture,
            static_cast<uint16_t>(AnswerPictureId + number));
    }

    std::vector<bool> readable(jobs.size());
    for (std::size_t i = 0; i < jobs.size(); ++i)
        readable[i] = readFileBytes(source.folder / pathFromUtf8(jobs[i].ref->path), jobs[i].bytes);
    fitAll(jobs, options.keepOriginals);

    QuizMedia media;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        MediaJob& job = jobs[i];
        const std::string& path = job.ref->path;
        auto error = [&](const std::string& message) {
            diagnostics.error(source.file, job.ref->line, job.field, message);
        };
        if (!readable[i]) {
            error("fichier introuvable ou illisible : " + path);
            continue;
        }
        switch (job.kind) {
        case MediaKind::Picture:
            switch (job.pictureResult) {
            case PictureResult::Stored:
                if (jpegIsProgressive(job.stored))
                    diagnostics.warning(source.file, job.ref->line, job.field,
                                        path + " est un JPEG progressif, gardé tel quel : certains Windows "
                                               "ne l'afficheront pas ; enregistrez-le en JPEG de base (baseline)");
                break;
            case PictureResult::Fitted: ++media.picturesFitted; break;
            case PictureResult::NotJpeg: error(path + " n'est pas une image JPEG"); continue;
            case PictureResult::Undecodable: error(path + " : image JPEG illisible ou abîmée"); continue;
            case PictureResult::EncodeFailed: error(path + " : échec de la réduction de l'image"); continue;
            }
            media.resources.push_back({job.id, std::move(job.stored)});
            break;
        case MediaKind::Sound:
            if (!looksLikeMp3(job.bytes)) {
                error(path + " n'est pas un son mp3");
                continue;
            }
            media.resources.push_back({job.id, std::move(job.bytes)});
            break;
        case MediaKind::Video:
            if (!looksLikeAvi(job.bytes)) {
                error(path + " n'est pas une vidéo avi");
                continue;
            }
            media.resources.push_back({job.id, std::move(job.bytes)});
            break;
        }
    }
    return media;
}
