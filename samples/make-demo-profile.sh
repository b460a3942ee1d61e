#!/usr/bin/env bash
# Signs the demo documents with a fresh demo certificate authority and lays out the demo
# profile:
#   HOME/Documents/ZOVA/Taxfiles/  the documents, one of each kind and every container form
#   HOME/Documents/ZOVA/CA/        the demo root certificate, the only trusted root
# Usage: make-demo-profile.sh SOURCES HOME WORK FOLDER_NAMES
#   WORK is a scratch folder, emptied first; FOLDER_NAMES is the build's folder-names.sh, the
#   programs' own folder names.
set -euo pipefail
sources=$1 home=$2 work=$3
source "$4"

rm -rf "$work"
mkdir -p "$work"
cd "$work"
export LC_ALL=C

# --- The demo authority and one signing certificate per company ---
openssl req -x509 -newkey rsa:2048 -nodes -keyout root.key -out root.pem -days 3650 \
  -subj "/C=KR/O=Ledgra Demo/CN=Ledgra Demo Root CA" \
  -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
  2>/dev/null
cat > signer.ext <<'EXT'
basicConstraints=CA:FALSE
keyUsage=critical,digitalSignature,nonRepudiation
certificatePolicies=1.2.410.200004.5.2.1.1
subjectKeyIdentifier=hash
authorityKeyIdentifier=keyid
EXT
serial=1000
issue_signer() {  # name, organisation (UTF-8)
  serial=$((serial + 1))
  openssl req -new -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.csr" -utf8 \
    -subj "/C=KR/O=$2/CN=$2" 2>/dev/null
  openssl x509 -req -in "$1.csr" -CA root.pem -CAkey root.key -set_serial "$serial" \
    -days 730 -extfile signer.ext -out "$1.pem" 2>/dev/null
}
issue_signer gana "주식회사 가나상사"
issue_signer maba "마바정보통신 주식회사"
issue_signer dara "다라물산 주식회사"

# --- Document contents in code page 949 ---
cp949() { iconv -f UTF-8 -t CP949 "$sources/$1" > "$2"; }
base64_of() { openssl base64 -A -in "$1"; }
cp949 legacy-invoice.xml legacy.xml
cp949 key-value-invoice.txt key-value.txt
cp949 contract.xml contract.xml
cp949 contract-body.html contract-body.html
cp949 contract-appendix.txt contract-appendix.txt
cp949 content-page.html content-page.html
sed -i "s|@SUPPLIER_SEAL@|$(base64_of "$sources/seal-maba.gif")|" legacy.xml
sed -i "s|@SUPPLIER_SEAL@|$(base64_of "$sources/seal-dara.gif")|" key-value.txt
printf 'appendix-1.txt' > attachment-name.txt
sed -i -e "s|@BODY@|$(base64_of contract-body.html)|" \
  -e "s|@ATTACHMENT_NAME@|$(base64_of attachment-name.txt)|" \
  -e "s|@ATTACHMENT@|$(base64_of contract-appendix.txt)|" contract.xml

# Signed text: Base64 of a DER CMS SignedData with the content inside and the signing time.
sign() {  # content file, signer names...
  local content=$1 signers=()
  shift
  for name in "$@"; do signers+=(-signer "$name.pem" -inkey "$name.key"); done
  openssl cms -sign -nodetach -binary -md sha256 -in "$content" -outform DER \
    -out "$content.der" "${signers[@]}"
}
sign legacy.xml maba
sign key-value.txt dara
sign contract.xml gana dara
sign content-page.html gana

# --- Containers ---
mkdir -p Taxfiles
# Plain XML as real standard-schema invoices come: UTF-8 with a byte-order mark.
{ printf '\xEF\xBB\xBF'; cat "$sources/standard-invoice.xml"; } \
  > "Taxfiles/세금계산서_가나상사_20240315.XML"
# Wrapped form (form code 0) with the delivery statement attached.
{
  printf ';0700;\r\n<zova version="1.0">\r\n'
  printf '<document data=";07020;%s"/>\r\n' "$(base64_of legacy.xml.der)"
  printf '<file name="거래명세서.txt" data=";07020;%s"/>\r\n' "$(base64_of "$sources/statement.txt")"
  printf '</zova>\r\n'
} | iconv -f UTF-8 -t CP949 > "Taxfiles/세금계산서_마바정보통신_20240430.KTX"
# Bare semicolon form: form code 2, header of 7 characters.
{ printf ';07020;'; base64_of key-value.txt.der; } > "Taxfiles/세금계산서_다라물산_20240520.TSN"
# Bare signed message in 64-column lines, signed by both parties.
openssl base64 -in contract.xml.der > "Taxfiles/물품공급계약서_가나상사_다라물산.KCX"
# Bare semicolon form: form code 6, header of 9 characters.
{ printf ';0906000;'; base64_of content-page.html.der; } > "Taxfiles/거래안내_가나상사.CQS"

# --- The demo profile ---
zova="$home/Documents/$zova_folder_name"
rm -rf "$zova/$taxfiles_folder_name" "$zova/$trust_folder_name"
mkdir -p "$zova/$trust_folder_name"
cp -r Taxfiles "$zova/$taxfiles_folder_name"
cp root.pem "$zova/$trust_folder_name/ledgra-demo-root.pem"
