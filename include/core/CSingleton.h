// Base of every engine and game manager: one instance per manager, built on first use through
// GetInstance and destroyed at process exit. Init reports success; a failing Init leaves its
// reason in the error message, which the game manager shows.
#pragma once

#include <string>

namespace Vesk {

template <typename T>
class CSingleton {
public:
    virtual bool Init() { return true; }
    virtual void Shutdown() {}
    virtual ~CSingleton() = default;

    static T& GetInstance()
    {
        static T instance;
        return instance;
    }

    const std::string& GetErrorMessage() const { return m_ErrorMessage; }

protected:
    CSingleton() = default;
    CSingleton(const CSingleton&) = delete;
    CSingleton& operator=(const CSingleton&) = delete;

    std::string m_ErrorMessage;
};

} // namespace Vesk
