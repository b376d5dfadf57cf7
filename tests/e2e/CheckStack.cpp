// e2e_check_stack SECRET RESULT: does the stacked result show the secret?
// Both are read with Qt's own loader, not the program's. The secret's black
// pixels must come out clearly darker in the result than its white ones.
// Exit status 0 yes, 1 no, 2 unreadable or mismatched files.

#include <QImage>
#include <cstdio>

namespace {
constexpr double kLeastContrast = 0.2;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: e2e_check_stack SECRET.bmp RESULT.bmp\n", stderr);
        return 2;
    }
    const QImage secret(QString::fromLocal8Bit(argv[1]));
    const QImage result(QString::fromLocal8Bit(argv[2]));
    if (secret.isNull() || result.isNull() || secret.size() != result.size()) {
        std::fputs("e2e_check_stack: unreadable pictures or different sizes\n", stderr);
        return 2;
    }
    long long black[2] = {0, 0}; // result pixels black, over secret white [0] / black [1]
    long long count[2] = {0, 0};
    for (int y = 0; y < secret.height(); ++y)
        for (int x = 0; x < secret.width(); ++x) {
            const int secretBlack = qGray(secret.pixel(x, y)) < 128 ? 1 : 0;
            ++count[secretBlack];
            black[secretBlack] += qGray(result.pixel(x, y)) < 128 ? 1 : 0;
        }
    if (count[0] == 0 || count[1] == 0) {
        std::fputs("e2e_check_stack: the secret needs black and white pixels\n", stderr);
        return 2;
    }
    const double overWhite = static_cast<double>(black[0]) / static_cast<double>(count[0]);
    const double overBlack = static_cast<double>(black[1]) / static_cast<double>(count[1]);
    std::printf("black in the result: %.3f over the secret's black, %.3f over its white\n",
                overBlack, overWhite);
    return overBlack - overWhite >= kLeastContrast ? 0 : 1;
}
