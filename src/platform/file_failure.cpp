#include "platform/file_failure.h"

#include <cerrno>
#include <cstring>

std::string FileErrorReason(int error) {
  switch (error) {
    case ENOENT: return "Нет такого файла или папки";
    case ENOTDIR: return "Часть пути не является папкой";
    case EISDIR: return "Это папка, а не файл";
    case ENODEV: return "Это не обычный файл, а устройство или канал";
    case EACCES:
    case EPERM: return "Доступ запрещён";
    case EROFS: return "Файловая система доступна только для чтения";
    case ENOSPC: return "На диске нет свободного места";
    case EDQUOT: return "Превышена дисковая квота";
    case EFBIG: return "Файл слишком велик";
    case ENAMETOOLONG: return "Слишком длинное имя файла";
    case ELOOP: return "Слишком много символических ссылок";
    case EEXIST: return "Файл уже существует";
    case EBUSY:
    case ETXTBSY: return "Файл занят";
    case EIO: return "Ошибка ввода-вывода";
    case EMFILE:
    case ENFILE: return "Открыто слишком много файлов";
    case ENOMEM: return "Недостаточно памяти";
    case EXDEV: return "Файл находится на другом устройстве";
    case 0: return "Неизвестная ошибка";
    default: return std::strerror(error);
  }
}

std::string FileFailureMessage(std::string_view text, std::string_view path, int error) {
  return FileFailureMessage(text, path, FileErrorReason(error));
}

std::string FileFailureMessage(std::string_view text, std::string_view path, std::string_view reason) {
  std::string message(text);
  message += '\n';
  message += path;
  message += '\n';
  message += reason;
  return message;
}
