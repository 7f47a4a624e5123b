#pragma once
// The texts of the data exchange, as the exchange window and the exchange logs show them.
namespace RplText {
inline constexpr const char* Separator = "-----------------------------------------------------------------";
inline constexpr const char* ErrorPrefix = "ОШИБКА!!! ";

inline constexpr const char* NotAvailable = "Функция недоступна";
inline constexpr const char* Interrupted = "Прервано пользователем";
inline constexpr const char* Cancelled = "Отменено пользователем.";
inline constexpr const char* NoServiceInfo = "Невозможно получить служебную информацию о репликации";
inline constexpr const char* OtherWorkstation = "Данная репликация предназначена для другой рабочей станции";
inline constexpr const char* FolderExists = "Папка уже существует";
inline constexpr const char* CannotCreateFolder = "Невозможно создать папку";
inline constexpr const char* ArchiveFailed = "Ошибка при архивации";
inline constexpr const char* ExtractFailed = "Ошибка при извлечении из архива";
inline constexpr const char* KeyGenerationFailed = "Ошибка при генерации первичного ключа";
inline constexpr const char* ListIndexOutOfBounds = "Индекс списка вышел за границы (%1)";

// Titles: the window's and the first log line.
inline constexpr const char* ExportTitle = "Экспорт анкет и внутренних справочников";
inline constexpr const char* ServerImportTitle = "Импорт справочников";
inline constexpr const char* ImportLogTitle = "Импорт анкет и внутренних справочников";
inline constexpr const char* ScriptImportTitle = "Импорт SQL-скрипта";
inline constexpr const char* RegistryImportTitle = "Импорт внутренних справочников из БД \"Поликлинника\"";

// Progress lines.
inline constexpr const char* PeriodFrom = "Период: с ";
inline constexpr const char* PeriodTo = " по ";
inline constexpr const char* ExportingTable = "Экспорт данных из таблицы: ";
inline constexpr const char* Records = " записей";
inline constexpr const char* Archiving = "Архивация...";
inline constexpr const char* SavingReplicationDate = "Сохранение даты последней репликации: ";
inline constexpr const char* ExportDone = "Экспорт данных завершен";
inline constexpr const char* FilesReadyIn = "Файлы, готовые к отправке, находятся в папке: ";
inline constexpr const char* Extracting = "Извлечение из архива...";
inline constexpr const char* DeletingReplication = "Удаление репликации: ";
inline constexpr const char* RunningScript = "Исполнение скрипта: ";
inline constexpr const char* ImportDone = "Импорт данных завершен";
inline constexpr const char* ScriptImportDone = "Импорт SQL-скрипта завершен";
inline constexpr const char* CheckingIndexes = "Проверка наличия необходимых индексов...";
inline constexpr const char* ImportingTable = "Импорт данных в таблицу: ";
inline constexpr const char* RecordsAddedUpdated = " записей добавлено/обновлено";

// File dialogs of the imports.
inline constexpr const char* OpenCaption = "Открыть";
inline constexpr const char* ServerArchiveFilter = "Копия внешних справочников (*.s2w)";
inline constexpr const char* ScriptFilter = "SQL-скрипт (*.sql)";
} // namespace RplText
